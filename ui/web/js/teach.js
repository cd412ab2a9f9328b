// The teacher's tools around the window, wired to the module: the menu and
// its keys, the "Class data" panel, the files, and the set-up in the
// page's address. The controller does the time controls itself; the rest
// is the page's to do.
import { createMenu } from "./menu.js";
import { createPanel } from "./panel.js";
import { createExports } from "./exports.js";
import { fontsOf, withText } from "./describe.js";
import { loadPiece } from "./fonts.js";
import { phoneTable } from "./phone-table.js";
import { createVoice } from "./voice.js";

export const createTeaching = ({ desc, module, form, painter, built, announce }) => {
  const json = (pointer) => JSON.parse(module.UTF8ToString(pointer));
  const aside = { relayout: () => {} };
  // Made as it first opens: a load need not build what it may never show.
  let made = null;
  const closed = { isOpen: () => false, changed: () => {}, retext: () => {}, extent: () => ({ width: 0, height: 0 }),
    below: () => 0 };
  const panel = () => made ?? closed;
  const openPanel = () => {
    (made ??= createPanel({ desc, form, read: () => json(module._quarvel_panel()),
      onToggle: () => aside.relayout(), onClosedByItself: () => menu.button.focus() })).toggle();
    // On a phone it opens below everything: the view goes to it.
    if (made.isOpen() && document.documentElement.classList.contains("phone")) {
      made.region.scrollIntoView({ block: "nearest" });
    }
  };
  aside.extent = (...size) => panel().extent(...size);
  const files = createExports({ desc, module, painter, built, announce });

  // The page's commands by name, once the module has said it cannot do them.
  const pageDoes = {
    ClassData: openPanel,
    SaveData: () => files.saveData(),
    SavePicture: () => files.savePicture(),
    CopyLink: (caption) => files.copyLink(caption),
  };
  const run = (command, index, speed = 0) => {
    if (module._quarvel_run(command.command, speed) !== 0) {
      if (command.name === "Speak") json(module._quarvel_commands()).speak ? voice.wake() : voice.silence();
      return;
    }
    pageDoes[command.name]?.(json(module._quarvel_commands()).commands[index].caption);
  };
  // The controller switches every text and calls the page back.
  const chooseLanguage = (code) => withText(module, code, (at) => module._quarvel_set_language(at));
  const items = [
    ...desc.commands.flatMap((command, index) => command.name === "Speed"
      ? desc.speeds.map((speed) => ({ id: `speed-${speed}`, role: "menuitemradio", group: command.name,
        run: () => run(command, index, speed) }))
      : [{ id: command.name, keys: command.keys, role: command.check ? "menuitemcheckbox" : "menuitem",
        run: () => run(command, index) }]),
    { id: "Language", role: "menuitem", submenu: desc.languages.map((language) => ({
      id: `language-${language.code}`, role: "menuitemradio", lang: language.tag,
      dir: language.rightToLeft ? "rtl" : "ltr", font: `${fontsOf(desc, language).defaultFamilies}, sans-serif`,
      run: () => chooseLanguage(language.code) })) },
  ];
  const state = () => {
    const now = json(module._quarvel_commands());
    const speedIndex = desc.commands.findIndex((c) => c.name === "Speed");
    const byId = {};
    desc.commands.forEach((command, index) => {
      const { caption, enabled } = now.commands[index];
      const checked = command.name === "ClassData" ? panel().isOpen() : now.speak;
      byId[command.name] = { caption, enabled, checked: command.check && checked };
    });
    for (const { speed, caption } of now.speeds) {
      byId[`speed-${speed}`] = { caption, enabled: now.commands[speedIndex].enabled, checked: speed === now.speed };
    }
    byId.Language = { caption: desc.teaching.language, enabled: true };
    for (const { code, name } of desc.languages) {
      byId[`language-${code}`] = { caption: name, enabled: true, checked: code === now.language };
    }
    return byId;
  };
  // The languages' names are drawn in their own faces once the menu lists
  // them; whether Speak can speak the language is known once it is shown.
  const menu = createMenu({ desc, form, items, state, onOpen: () => {
    loadPiece("names");
    voice.wake();
  } });
  const voice = createVoice({ module, tag: desc.language.tag, typingPauseMs: desc.listening.typingPauseMs,
    changed: () => menu.refresh() });

  // A set-up from the address, as a teacher's link gives it: a value refused
  // shows its notice and starts nothing.
  const applyAddress = () => {
    if (location.hash.length <= 1) return;
    const size = module.lengthBytesUTF8(location.hash) + 1;
    const at = module._malloc(size);
    module.stringToUTF8(location.hash, at, size);
    module._quarvel_apply_setup(at);
    module._free(at);
    // speak=on: the voices are looked for before the first action speaks.
    if (json(module._quarvel_commands()).speak) voice.wake();
  };
  // A link pasted into the address bar of the open page.
  addEventListener("hashchange", applyAddress);

  return {
    aside,
    applyAddress,
    // In the phone's arrangement the panel stands below the blocks; the
    // height it takes there, with its margin.
    placeBelow(arrangement) {
      if (!arrangement) return 0;
      const margin = phoneTable.margin;
      const taken = panel().below(margin, arrangement.height, arrangement.width - 2 * margin);
      return taken && taken + margin;
    },
    voice,
    link: files.link,
    afterEvent(byUser) {
      panel().changed();
      if (byUser) menu.refresh();
    },
    timeControlsChanged() {
      menu.refresh();
      panel().changed();
    },
    laidOut: () => menu.laidOut(),
    ended() {
      voice.silence();
      menu.close(false);
      panel().changed();
    },
    retext() {
      menu.retext();
      menu.refresh();
      panel().retext();
    },
  };
};
