// The explanation of a doping pair that gives no Fermi level, shown as
// text beside the boxes while it stands: a touch screen shows no tooltip.
// A box that has it is described by it too, so a screen reader hears it.
import { fontsOf, pixelsOf } from "./describe.js";
import { phoneTable } from "./phone-table.js";

export const createDopingNote = (desc, form, built) => {
  const note = document.createElement("p");
  note.id = built.noteId;
  // Hidden, it keeps its place and takes none of the window's clicks.
  note.className = "unshown";
  form.appendChild(note);
  const retext = () => (note.style.fontFamily = fontsOf(desc).defaultFamilies);
  retext();
  return {
    retext,
    // The module's hint on a box, or "" once the pair gives a Fermi level.
    show(box, hint) {
      if (hint) built.noted.add(box);
      else built.noted.delete(box);
      const tokens = (box.getAttribute("aria-describedby") ?? "").split(" ").filter((t) => t && t !== note.id);
      if (hint) tokens.push(note.id);
      if (tokens.length) box.setAttribute("aria-describedby", tokens.join(" "));
      else box.removeAttribute("aria-describedby");
      if (hint) note.textContent = hint;
      note.classList.toggle("unshown", built.noted.size === 0);
    },
    // In the window's empty corner below the diagram, scaled with it; on a
    // phone in its slot below the boxes.
    place(arrangement) {
      const px = pixelsOf(desc);
      const p = arrangement ? arrangement.note : phoneTable.note.window;
      const size = (v) => `${arrangement ? v : px(v)}px`;
      Object.assign(note.style, { left: size(p.left), top: size(p.top), width: size(p.width), height: size(p.height) });
    },
  };
};
