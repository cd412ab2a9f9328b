// The two things the page says outside the window: the notice of a refused
// input, modal until OK, and the message once the program has ended.
import { fontsOf } from "./describe.js";

export const createNotices = (desc, isEnded) => {
  const dialog = document.getElementById("notice");
  const endedBox = document.getElementById("ended");
  // The notices are drawn in the bundled faces too, which hold their glyphs,
  // and close with the language's word.
  const retext = () => {
    for (const element of [dialog, endedBox]) element.style.fontFamily = `${fontsOf(desc).defaultFamilies}, sans-serif`;
    document.getElementById("notice-ok").textContent = desc.notices.ok;
  };
  retext();
  let returnBox = null;
  dialog.addEventListener("close", () => {
    if (!returnBox || returnBox.disabled) return;
    returnBox.focus();
    returnBox.select();
  });
  return {
    retext,
    // After the handler has returned, never inside it; the box gets the
    // focus back with its text selected.
    refuse(box, title, text) {
      setTimeout(() => {
        if (isEnded()) return;
        document.getElementById("notice-title").textContent = title;
        document.getElementById("notice-text").textContent = text;
        returnBox = box;
        dialog.showModal();
        document.getElementById("notice-ok").focus();
      });
    },
    ended(message) {
      if (dialog.open) dialog.close();
      endedBox.textContent = message;
      endedBox.hidden = false;
      // Every control is disabled now: the focus would fall to the body.
      endedBox.focus();
    },
  };
};
