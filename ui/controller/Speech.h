#pragma once

#include <string>

namespace controller {

// Whether the device can speak the window's language, as the front end
// finds it. Voices may arrive after the window opens: until the front end
// knows, an utterance is handed over and it decides.
enum class SpeechState { Unknown, Ready, NoVoice, NoService };

inline bool MaySpeak(SpeechState state) {
    return state == SpeechState::Ready || state == SpeechState::Unknown;
}

// One thing to say, in the window's language, with a voice of that language
// only.
struct Utterance {
    std::string text;
    std::string languageTag;  // BCP 47, as the page's lang
    // Said once the typing in a box pauses, as the screen reader hears it.
    bool onceTypingPauses = false;
};

}  // namespace controller
