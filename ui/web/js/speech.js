// What a screen reader is told: hidden descriptions, one polite live
// region, and readouts that speak at most once per pause while focused.

// A hidden text that describes what cannot be seen.
export const hiddenText = (id, text = "") => {
  const element = document.createElement("div");
  element.id = id;
  element.hidden = true;
  element.textContent = text;
  document.body.appendChild(element);
  return element;
};

export const createAnnouncer = () => {
  // One polite live region for every announcement; it never takes the focus.
  const region = document.createElement("div");
  region.id = "announcer";
  region.setAttribute("aria-live", "polite");
  region.className = "unseen";
  document.body.appendChild(region);
  // The same words twice in a row are still said twice.
  return (text) => {
    region.textContent = "";
    requestAnimationFrame(() => (region.textContent = text));
  };
};

// Writes the model's texts into the boxes. A readout with the focus is
// heard at most once per pause; the latest count shows when the time is up
// or the focus leaves.
export const createBoxWriter = (readouts, pauseMs) => {
  const pending = new Map();
  const show = (element, text) => {
    // The same text again is not a change, for the eye or the ear.
    if (element.value === text) return;
    element.value = text;
    // A number reads from its first digit, minus sign included.
    if (document.activeElement === element) element.setSelectionRange(0, 0);
    element.scrollLeft = 0;
  };
  const flush = (element) => {
    const waiting = pending.get(element);
    if (!waiting) return;
    clearTimeout(waiting.timer);
    pending.delete(element);
    show(element, waiting.text);
  };
  for (const element of readouts) element.addEventListener("blur", () => flush(element));
  return {
    read: (element) => {
      const waiting = pending.get(element);
      return waiting ? waiting.text : element.value;
    },
    write: (element, text) => {
      if (!(readouts.has(element) && document.activeElement === element)) return show(element, text);
      const waiting = pending.get(element);
      if (waiting) return void (waiting.text = text);
      if (element.value === text) return;
      show(element, text);
      pending.set(element, { text, timer: setTimeout(() => flush(element), pauseMs) });
    },
  };
};
