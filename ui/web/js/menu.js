// The teacher's commands: a menu button in a corner of the window that no
// control, label, shape or line covers, a menu of every page command with
// its key, and the keys themselves, which work from any control.
import { pixelsOf } from "./describe.js";

// Large enough for a finger and for the pointer (24 CSS px at the least),
// kept clear of the window's edge and of everything drawn on it.
const buttonSize = 28;
const margin = 6;

// A key as the command table writes it ("Alt+P", "Alt+.", "Alt+Shift+R"),
// matched by the key's place on the keyboard, so that a layout whose Alt
// (Option) types another character still gives the command.
const codeOf = (key) => {
  if (/^[A-Z]$/i.test(key)) return `Key${key.toUpperCase()}`;
  if (/^[0-9]$/.test(key)) return `Digit${key}`;
  return { ".": "Period", ",": "Comma", "/": "Slash", ";": "Semicolon", "-": "Minus", "=": "Equal" }[key];
};
export const parseKeys = (keys) => {
  if (!keys) return null;
  const parts = keys.split("+");
  const key = parts.pop() || "+";
  const held = new Set(parts);
  const code = codeOf(key);
  if (!code) return null;
  return (event) => event.code === code && event.altKey === held.has("Alt") && event.shiftKey === held.has("Shift") &&
    event.ctrlKey === held.has("Ctrl") && event.metaKey === held.has("Meta");
};

// Design rectangles in CSS pixels of everything the window shows.
const designRectangles = (desc) => {
  const px = pixelsOf(desc);
  const rect = (l, t, w, h) => ({ left: px(l), top: px(t), right: px(l + w), bottom: px(t + h) });
  return [
    ...desc.controls.map((c) => rect(c.left, c.top, c.width, c.height)),
    ...desc.shapes.map((s) => rect(s.left, s.top, s.width, s.height)),
    ...desc.lines.map((l) => rect(Math.min(l.x1, l.x2), Math.min(l.y1, l.y2),
      Math.abs(l.x2 - l.x1) + desc.twipsPerPixel, Math.abs(l.y2 - l.y1) + desc.twipsPerPixel)),
  ];
};

// The first corner of the window, clockwise from the top right, where the
// button covers nothing; and how large it may grow there, so that it stays
// 24 CSS px where the page is scaled down (25 to be safe from rounding).
export const menuButtonPlace = (desc) => {
  const px = pixelsOf(desc);
  const [width, height] = [px(desc.clientWidth), px(desc.clientHeight)];
  const taken = designRectangles(desc);
  const free = (left, top, size) => !taken.some((r) =>
    r.left < left + size && r.right > left && r.top < top + size && r.bottom > top);
  const corners = [[true, false], [true, true], [false, true], [false, false]];
  const at = ([right, bottom], size) => [right ? width - size - margin : margin, bottom ? height - size - margin : margin];
  const corner = corners.find((c) => free(...at(c, buttonSize), buttonSize)) ?? corners[0];
  let room = buttonSize;
  while (room < 2 * buttonSize && free(...at(corner, room + 1), room + 1)) room++;
  return { right: corner[0], bottom: corner[1], room };
};

const svgNamespace = "http://www.w3.org/2000/svg";
// Three bars in the text colour, which a high-contrast theme sets too.
const barsIcon = () => {
  const svg = document.createElementNS(svgNamespace, "svg");
  svg.setAttribute("viewBox", "0 0 16 16");
  svg.setAttribute("aria-hidden", "true");
  for (const y of [3, 7, 11]) {
    const bar = document.createElementNS(svgNamespace, "rect");
    Object.entries({ x: 2, y, width: 12, height: 2, fill: "currentColor" }).forEach(([k, v]) => bar.setAttribute(k, v));
    svg.appendChild(bar);
  }
  return svg;
};

// items: [{ id, keys, role ("menuitem", "menuitemradio",
// "menuitemcheckbox"), group (the id whose caption heads the items it
// stands with, or none), run }], and one item may hold a submenu:
// { id, role: "menuitem", submenu: [{ id, role, lang, dir, font, run }] },
// which opens below it, indented, and which the arrow keys enter and leave.
// state(): { [id]: { caption, enabled, checked } } read when the menu opens
// and whenever refresh() is called.
// onOpen(): called as the menu opens, before it shows.
export const createMenu = ({ desc, form, items, state, onOpen = () => {} }) => {
  const button = document.createElement("button");
  button.type = "button";
  button.id = "menu-button";
  button.setAttribute("aria-haspopup", "menu");
  button.setAttribute("aria-expanded", "false");
  button.setAttribute("aria-controls", "menu");
  button.appendChild(barsIcon());

  const popup = document.createElement("div");
  popup.id = "menu-popup";
  popup.hidden = true;
  const list = document.createElement("div");
  list.id = "menu";
  list.setAttribute("role", "menu");
  const hint = document.createElement("p");
  hint.id = "menu-hint";
  list.setAttribute("aria-describedby", hint.id);
  popup.append(list, hint);
  let place = null;

  const entryOf = (item, parent) => {
    const element = document.createElement("div");
    element.id = `menu-${item.id}`;
    element.setAttribute("role", item.role);
    element.tabIndex = -1;
    const caption = document.createElement("span");
    caption.className = "menu-caption";
    if (item.lang) {
      // A language's name in its own language, voice, direction and faces.
      element.lang = item.lang;
      caption.dir = item.dir;
      caption.style.fontFamily = item.font;
    }
    element.appendChild(caption);
    if (item.keys) {
      element.setAttribute("aria-keyshortcuts", item.keys);
      const keys = document.createElement("span");
      keys.className = "menu-keys";
      keys.setAttribute("aria-hidden", "true");
      // "Alt+." keeps its dot at the end in a language read from right to left.
      keys.dir = "ltr";
      keys.textContent = item.keys;
      element.appendChild(keys);
    }
    parent.appendChild(element);
    return { item, element, caption };
  };

  // Items that share a group (the speeds) stand together under its heading.
  // Built as the menu first opens: a load need not make what it may never show.
  const headings = [];
  const entries = [];
  let allEntries = [];
  let submenu = null;  // { entry, list, entries }
  const build = () => {
    let group = null;
    for (const item of items) {
      if (item.group !== group?.id) {
        group = item.group ? { id: item.group, element: document.createElement("div") } : null;
        if (group) {
          const heading = document.createElement("div");
          heading.className = "menu-group";
          heading.id = `menu-group-${item.id}`;
          heading.setAttribute("role", "presentation");
          headings.push({ heading, id: item.group });
          group.element.setAttribute("role", "group");
          group.element.setAttribute("aria-labelledby", heading.id);
          group.element.appendChild(heading);
          list.appendChild(group.element);
        }
      }
      // A submenu stands with its item in a wrapper of no role of its own.
      const holder = item.submenu ? document.createElement("div") : group ? group.element : list;
      if (item.submenu) {
        holder.setAttribute("role", "none");
        (group ? group.element : list).appendChild(holder);
      }
      const entry = entryOf(item, holder);
      entries.push(entry);
      if (item.submenu) {
        const inner = document.createElement("div");
        inner.id = `menu-${item.id}-list`;
        inner.className = "menu-submenu";
        inner.setAttribute("role", "menu");
        inner.hidden = true;
        entry.element.setAttribute("aria-haspopup", "menu");
        entry.element.setAttribute("aria-expanded", "false");
        entry.element.setAttribute("aria-controls", inner.id);
        entry.element.classList.add("menu-parent");
        holder.appendChild(inner);
        submenu = { entry, list: inner, entries: item.submenu.map((sub) => entryOf(sub, inner)) };
      }
    }
    allEntries = [...entries, ...(submenu?.entries ?? [])];
  };
  form.append(button, popup);

  // The button's corner and the words, in the language shown now.
  const retext = () => {
    place = menuButtonPlace(desc);
    button.setAttribute("aria-label", desc.teaching.menu);
    button.title = desc.teaching.menu;
    list.setAttribute("aria-label", desc.teaching.menu);
    hint.textContent = desc.teaching.keysHint;
    const size = `clamp(${buttonSize}px, calc(25px / var(--scale, 1)), ${place.room}px)`;
    const [across, upright] = [place.right ? "right" : "left", place.bottom ? "bottom" : "top"];
    Object.assign(button.style, { left: "auto", top: "auto", right: "auto", bottom: "auto", width: size, height: size,
      [across]: `${margin}px`, [upright]: `${margin}px` });
    // Opens downwards from a top corner, upwards from a bottom one.
    Object.assign(popup.style, { left: "auto", top: "auto", right: "auto", bottom: "auto",
      [across]: `${margin}px`, [upright]: `calc(${margin + 2}px + ${size})` });
  };
  retext();

  const isOpen = () => !popup.hidden;
  const subOpen = () => !!submenu && !submenu.list.hidden;
  const refresh = () => {
    const now = state();
    for (const { item, element, caption } of allEntries) {
      const s = now[item.id];
      caption.textContent = s.caption;
      element.setAttribute("aria-disabled", String(!s.enabled));
      if (item.role !== "menuitem") element.setAttribute("aria-checked", String(!!s.checked));
    }
    for (const { heading, id } of headings) heading.textContent = now[id].caption;
    if (submenu) submenu.list.setAttribute("aria-label", now[submenu.entry.item.id].caption);
  };
  // The items the arrow keys move among: the submenu's while the focus is in it.
  const level = () => (submenu?.entries.some((e) => e.element === document.activeElement) ? submenu.entries : entries);
  const focusIn = (within, index) => within[(index + within.length) % within.length].element.focus();
  const focusedIndex = (within) => within.findIndex((e) => e.element === document.activeElement);
  const expand = (open) => {
    if (!submenu) return;
    submenu.list.hidden = !open;
    submenu.entry.element.setAttribute("aria-expanded", String(open));
    if (open) {
      const checked = submenu.entries.findIndex((e) => e.element.getAttribute("aria-checked") === "true");
      focusIn(submenu.entries, Math.max(0, checked));
    } else {
      submenu.entry.element.focus();
    }
  };
  // As tall as the viewport leaves it, in the window's own pixels: the
  // items grow where the page is scaled down, and a short screen scrolls.
  const fit = () => {
    popup.style.maxHeight = "";
    const scale = form.getBoundingClientRect().width / form.offsetWidth;
    const shown = popup.getBoundingClientRect();
    const room = place.bottom && !document.documentElement.classList.contains("phone")
      ? shown.bottom - margin : innerHeight - shown.top - margin;
    popup.style.maxHeight = `${Math.max(4 * buttonSize, room / scale)}px`;
  };
  const open = (first = 0) => {
    if (button.disabled) return;
    if (!entries.length) build();
    onOpen();
    refresh();
    popup.hidden = false;
    fit();
    button.setAttribute("aria-expanded", "true");
    focusIn(entries, first);
  };
  const close = (focusButton = true) => {
    if (!isOpen()) return;
    if (subOpen()) submenu.list.hidden = true;
    submenu?.entry.element.setAttribute("aria-expanded", "false");
    popup.hidden = true;
    button.setAttribute("aria-expanded", "false");
    if (focusButton && !button.disabled) button.focus();
  };
  const activate = (entry) => {
    if (entry.element.getAttribute("aria-disabled") === "true") return;
    if (entry === submenu?.entry) return expand(!subOpen());
    close();
    entry.item.run();
  };

  button.addEventListener("click", () => (isOpen() ? close() : open()));
  button.addEventListener("keydown", (event) => {
    if (event.key === "ArrowDown" || event.key === "ArrowUp") {
      event.preventDefault();
      open(event.key === "ArrowDown" ? 0 : entries.length - 1);
    }
  });
  popup.addEventListener("click", (event) => {
    const entry = allEntries.find((e) => e.element.contains(event.target));
    if (entry) activate(entry);
  });
  popup.addEventListener("keydown", (event) => {
    const within = level();
    const at = focusedIndex(within);
    const moves = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: within.length - 1 };
    // Into the submenu towards where the text runs, and out of it back.
    const rtl = getComputedStyle(popup).direction === "rtl";
    const [inwards, outwards] = rtl ? ["ArrowLeft", "ArrowRight"] : ["ArrowRight", "ArrowLeft"];
    const inSubmenu = within !== entries;
    if (event.key in moves) {
      event.preventDefault();
      focusIn(within, moves[event.key]);
    } else if (event.key === inwards && !inSubmenu && within[at] === submenu?.entry) {
      event.preventDefault();
      expand(true);
    } else if ((event.key === outwards || event.key === "Escape") && inSubmenu) {
      event.preventDefault();
      expand(false);
    } else if (event.key === "Enter" || event.key === " ") {
      event.preventDefault();
      if (at >= 0) activate(within[at]);
    } else if (event.key === "Escape") {
      event.preventDefault();
      close();
    } else if (event.key === "Tab") {
      // Tab leaves the menu and goes on from its button.
      close(false);
      button.focus();
    } else if (event.key.length === 1 && !event.altKey && !event.ctrlKey && !event.metaKey) {
      // A letter goes to the next item whose caption begins with it.
      const letter = event.key.toLocaleLowerCase();
      for (let k = 1; k <= within.length; k++) {
        const e = within[(at + k) % within.length];
        if (e.caption.textContent.toLocaleLowerCase().startsWith(letter)) return void e.element.focus();
      }
    }
  });
  popup.addEventListener("pointermove", (event) => {
    const entry = allEntries.find((e) => e.element.contains(event.target));
    if (entry && document.activeElement !== entry.element) entry.element.focus();
  });
  // A press anywhere else closes it, leaving the focus where the press puts it.
  document.addEventListener("pointerdown", (event) => {
    if (isOpen() && !popup.contains(event.target) && !button.contains(event.target)) close(false);
  }, true);
  popup.addEventListener("focusout", (event) => {
    if (isOpen() && event.relatedTarget && !popup.contains(event.relatedTarget) && event.relatedTarget !== button) {
      close(false);
    }
  });

  // The keys, before any control sees them: nothing is typed into a box.
  const keyed = items.map((item) => ({ item, matches: parseKeys(item.keys) })).filter((k) => k.matches);
  addEventListener("keydown", (event) => {
    const hit = keyed.find((k) => k.matches(event));
    if (!hit) return;
    event.preventDefault();
    event.stopPropagation();
    // A modal notice stays modal.
    if (document.querySelector("dialog[open]") || button.disabled) return;
    const s = state()[hit.item.id];
    if (!s.enabled) return;
    close(false);
    hit.item.run();
  }, true);

  return { button, popup, refresh: () => isOpen() && refresh(), retext, close, isOpen,
    // The page laid out anew (a rotation, a new size): the open menu takes the height it has now.
    laidOut: () => isOpen() && fit() };
};
