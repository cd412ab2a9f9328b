// The phone arrangement worked out for a screen: where each block of the
// window stands and at what scale, in CSS px of the page. A view maps a
// design pixel x of the window to view.dx + x * view.s on the page.
import { pixelsOf } from "./describe.js";
import { phoneTable } from "./phone-table.js";

export const windowView = { s: 1, dx: 0, dy: 0 };

const coarse = matchMedia("(pointer: coarse)");

// Whether a window fitted at this scale is laid out for the phone instead.
export const wantsPhone = (fitted) => fitted < (coarse.matches ? phoneTable.belowOnTouch : phoneTable.below);

// The design rectangle, in px, of everything a block holds in the
// description's language (a language's layout rows move some controls).
const blockRectangles = (desc) => {
  const px = pixelsOf(desc);
  const blockOf = new Map();
  for (const [name, block] of Object.entries(phoneTable.blocks)) for (const held of block.holds) blockOf.set(held, name);
  const rects = {};
  const add = (name, left, top, width, height) => {
    const block = blockOf.get(name);
    const r = (rects[block] ??= { left: Infinity, top: Infinity, right: -Infinity, bottom: -Infinity });
    [r.left, r.top] = [Math.min(r.left, px(left)), Math.min(r.top, px(top))];
    [r.right, r.bottom] = [Math.max(r.right, px(left + width)), Math.max(r.bottom, px(top + height))];
  };
  for (const c of desc.controls) {
    add(c.name, c.left, c.top, c.width, c.height);
    if (c.room) add(c.name, c.room.left, c.room.top, c.room.width, c.room.height);
  }
  // What loads out of sight (the markers, Shape5) takes no room.
  for (const s of desc.shapes) if (s.top < desc.clientHeight) add(s.name, s.left, s.top, s.width, s.height);
  for (const l of desc.lines) {
    if (l.role === "ChartFoot") continue;
    add(l.name, Math.min(l.x1, l.x2), Math.min(l.y1, l.y2), Math.abs(l.x2 - l.x1) + desc.twipsPerPixel,
      Math.abs(l.y2 - l.y1) + desc.twipsPerPixel);
  }
  const pad = phoneTable.padding;
  for (const r of Object.values(rects)) Object.assign(r, { left: r.left - pad, top: r.top - pad,
    width: r.right - r.left + 2 * pad, height: r.bottom - r.top + 2 * pad });
  return { rects, blockOf };
};

// The arrangement for a screen width x height CSS px: { width, height of
// all the blocks take, views by block, viewOf(name) for a control, label,
// shape or line, note: where the doping note stands }.
export const arrangePhone = (desc, width, height) => {
  const { rects, blockOf } = blockRectangles(desc);
  const m = phoneTable.margin;
  const columns = width > height ? phoneTable.landscape : phoneTable.portrait;
  const views = {};
  let note = null;
  // A column fitted to the height takes what its one block needs there;
  // the others share the width left.
  const heightScale = (column) => Math.min(phoneTable.blocks[column.blocks[0]].largest,
    (height - 2 * m) / rects[column.blocks[0]].height);
  const fitted = columns.filter((c) => c.fit === "height");
  const fittedWidth = fitted.reduce((sum, c) => sum + rects[c.blocks[0]].width * heightScale(c), 0);
  const sharedWidth = (width - fittedWidth - (columns.length + 1) * m) / (columns.length - fitted.length || 1);
  let left = m;
  let bottom = 0;
  for (const column of columns) {
    const fitsHeight = column.fit === "height";
    const columnWidth = fitsHeight ? rects[column.blocks[0]].width * heightScale(column) : sharedWidth;
    let top = m;
    for (const name of column.blocks) {
      const r = rects[name];
      const s = fitsHeight ? heightScale(column) : Math.min(phoneTable.blocks[name].largest, columnWidth / r.width);
      // Centred in its column.
      const x = left + (columnWidth - r.width * s) / 2;
      views[name] = { s, dx: x - r.left * s, dy: top - r.top * s, left: x, top, width: r.width * s, height: r.height * s };
      top += r.height * s + m;
      if (name === phoneTable.note.after) {
        note = { left, top, width: columnWidth, height: phoneTable.note.height };
        top += phoneTable.note.height + m;
      }
    }
    bottom = Math.max(bottom, top);
    left += columnWidth + m;
  }
  return {
    width,
    height: bottom,
    views,
    note,
    viewOf: (name) => {
      const v = views[blockOf.get(name)];
      const move = phoneTable.moves[name];
      return !v ? windowView : move ? { ...v, dx: v.dx + move[0] * v.s, dy: v.dy + move[1] * v.s } : v;
    },
  };
};
