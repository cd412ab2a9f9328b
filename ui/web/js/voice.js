// Reads aloud what the controller hands over, through the browser's speech
// engine, in a voice of the window's language only. Nothing is looked at
// until speech is wanted (the menu opens, the Speak command, a set-up that
// asks for it, or an utterance), so that a load never waits on the engine.

// The controller's speech states.
const UNKNOWN = 0;
const READY = 1;
const NO_VOICE = 2;
const NO_SERVICE = 3;

// Voices arrive late, and not every browser says so: on Linux, Firefox's
// and Chromium's come from speech-dispatcher, which starts with the first
// look, 4 to 12 s on a busy machine. After the last look an empty list
// means no voice, until voiceschanged says otherwise.
const lookAgainMs = [250, 1000, 4000, 20000];

// A language tag's parts, as written by the page ("zh-Hans") or by an
// engine ("zh_CN", "cmn", "en-GB-x-rp", "in-ID").
const sameLanguage = { cmn: "zh", in: "id" };
// A Chinese voice that names no script writes the one of its region.
const scriptOfRegion = { cn: "hans", sg: "hans", my: "hans", tw: "hant", hk: "hant", mo: "hant" };
const partsOf = (tag) => {
  const all = tag.replace(/_/g, "-").toLowerCase().split("-");
  const rest = all.slice(1, all.includes("x") ? all.indexOf("x") : undefined);
  const language = sameLanguage[all[0]] ?? all[0];
  const region = rest.find((s) => /^([a-z]{2}|\d{3})$/.test(s));
  const script = rest.find((s) => /^[a-z]{4}$/.test(s)) ?? (language === "zh" ? scriptOfRegion[region] : undefined);
  return { language, script, region };
};

// How well a voice's lang fits the page's tag: -1 another language, or the
// same language in another script (a romanisation, Traditional for
// Simplified); 2 the region or script asked for, 1 none asked or none
// named, 0 another region of the same language (pt-PT for pt-BR).
export const fitOf = (voiceLang, tag) => {
  const want = partsOf(tag);
  const have = partsOf(voiceLang);
  if (have.language !== want.language || (have.script && have.script !== want.script)) return -1;
  if (want.region && have.region) return have.region === want.region ? 2 : 0;
  return want.script && have.script ? 2 : 1;
};

// The voice to speak the tag's language with, or null: the best fit, then
// the reader's own region, a voice on the device (no network, no 15 s
// limit), the language's own country or none named (ru before ru-LV, fr-FR
// before fr-BE), the engine's default, and a plain voice before a variant
// of it (espeak-ng's "English (America)+croak").
export const chooseVoice = (voices, tag, liked = navigator.languages ?? []) => {
  const { language } = partsOf(tag);
  const regions = liked.map(partsOf).filter((p) => p.language === language).map((p) => p.region);
  let best = null;
  let bestScore = -1;
  for (const voice of voices) {
    const fit = fitOf(voice.lang, tag);
    if (fit < 0) continue;
    const region = partsOf(voice.lang).region;
    const score = fit * 32 + (region && regions.includes(region) ? 16 : 0) + (voice.localService ? 8 : 0) +
      (!region || region === language ? 4 : 0) + (voice.default ? 2 : 0) + (voice.name.includes("+") ? 0 : 1);
    if (score > bestScore) [best, bestScore] = [voice, score];
  }
  return best;
};

// Sentence by sentence: some online voices stop after about 15 s.
const sentencesOf = (text, tag) => {
  const pieces = typeof Intl.Segmenter === "function"
    ? [...new Intl.Segmenter(tag, { granularity: "sentence" }).segment(text)].map((s) => s.segment)
    : text.match(/[^]*?(?:[.!?\u0964\u061F](?=\s|$)|[\u3002\uFF01\uFF1F\n]|$)/g);
  return pieces.map((s) => s.trim()).filter(Boolean);
};

// module: the page's module, told the state; tag: the window's language;
// changed(): the state changed, for the menu.
export const createVoice = ({ module, tag, typingPauseMs, changed }) => {
  // Only asked whether there is one: a browser may start its engine when
  // the page first touches speechSynthesis.
  const engine = "speechSynthesis" in window && typeof window.SpeechSynthesisUtterance === "function";
  let synth = null;
  let state = UNKNOWN;
  const report = (now) => {
    if (now === state) return;
    state = now;
    module._quarvel_set_speech_state(now);
    changed();
  };
  // The page works on without speech; the command says why.
  if (!engine) report(NO_SERVICE);

  let awake = false;
  let settled = false;  // looked long enough: an empty list is no voice
  let voice = null;
  const look = () => {
    const voices = synth.getVoices();
    voice = chooseVoice(voices, tag);
    report(voice ? READY : voices.length || settled ? NO_VOICE : UNKNOWN);
    pump();
  };
  const wake = () => {
    if (awake || !engine) return;
    awake = true;
    synth = window.speechSynthesis;
    if (!synth) return report(NO_SERVICE);
    synth.addEventListener("voiceschanged", look);
    lookAgainMs.forEach((ms, i) => setTimeout(() => {
      settled = i === lookAgainMs.length - 1;
      look();
    }, ms));
    look();
  };

  // Our own queue of one: what the engine says now, and the newest
  // sentences waiting, which a newer utterance replaces whole.
  let speaking = null;
  let waiting = [];
  let watchdog = 0;
  let typingTimer = 0;
  // A browser speaks only once the page has had a user's action (an iPad's
  // Safari only inside one, and a touch counts as it ends): the first
  // utterance of a link waits for it.
  const actions = ["keydown", "touchend", "click"];
  let acted = false;
  const hasActed = () => acted || (navigator.userActivation?.hasBeenActive ??
    actions.includes(window.event?.type));
  const onAction = () => {
    acted = true;
    for (const type of actions) removeEventListener(type, onAction, true);
    pump();
  };
  const finished = (utterance) => {
    if (utterance !== speaking) return;
    clearTimeout(watchdog);
    speaking = null;
    pump();
  };
  function pump() {
    if (speaking || !waiting.length || state === UNKNOWN) return;
    if (state !== READY) return void (waiting = []);  // never in another language's voice
    if (!hasActed()) return void actions.forEach((type) => addEventListener(type, onAction, true));
    acted = true;
    const utterance = new SpeechSynthesisUtterance(waiting.shift());
    utterance.voice = voice;
    utterance.lang = voice.lang;
    utterance.onend = utterance.onerror = () => finished(utterance);
    speaking = utterance;
    // An engine that never says it finished must not silence the rest:
    // cancelling frees one that is stuck.
    watchdog = setTimeout(() => {
      speaking = null;
      synth.cancel();
      pump();
    }, 2000 + 250 * utterance.text.length);
    synth.speak(utterance);
  }

  const say = (text) => {
    waiting = sentencesOf(text, tag);
    wake();
    pump();
  };
  // Stops at once and forgets what waits.
  const silence = () => {
    clearTimeout(typingTimer);
    clearTimeout(watchdog);
    waiting = [];
    if (speaking) {
      speaking = null;
      synth.cancel();
    }
  };

  return {
    wake,
    silence,
    // The controller's utterance, in the window's language; what comes
    // from typing waits for the typing to pause, as the screen reader's.
    speak(text, language, onceTypingPauses) {
      if (!engine || language !== tag) return;
      clearTimeout(typingTimer);
      if (onceTypingPauses) typingTimer = setTimeout(() => say(text), typingPauseMs);
      else say(text);
    },
    // Another language: what waits was said in the old one.
    setLanguage(now) {
      tag = now;
      clearTimeout(typingTimer);
      waiting = [];
      if (awake) look();
    },
  };
};
