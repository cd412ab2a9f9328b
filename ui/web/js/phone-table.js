// The page's second arrangement, for a screen on which the window would
// show too small to read or to touch: the window cut into blocks by the
// controls each holds, every block keeping its own design inside, laid out
// in columns and scaled to them. Read by phone.js, as the window's own
// table is read by the layout.
export const phoneTable = {
  // Used where the window fitted to the screen would show below this
  // scale; on a touch screen below the scale at which its 10 px captions
  // read 12 px and its boxes take a finger.
  below: 1,
  belowOnTouch: 1.2,
  // CSS px around and between the blocks; the design px a block keeps
  // around what it holds.
  margin: 5,
  padding: 2,
  // Every control, label, shape and line of the window, by name, stands in
  // one block. largest: the scale a block grows to at most.
  blocks: {
    diagram: {
      holds: ["Shape1", "Shape2", "Shape3", "Shape4", "Shape5", "Line1", "Line2", "Line3", "Line7", "Label2"],
      largest: 2,
    },
    controls: {
      holds: ["Label1", "Text1", "Label3", "Text2", "Label4", "Text3", "Label5", "Label6", "Text4", "Label7", "Text5",
        "Label8", "Text6", "Label11", "Text7", "Check1", "Command1", "Command2", "Command4", "Command5"],
      largest: 1.9,
    },
    chart: { holds: ["Label10", "Picture1", "Label12", "Label9", "Line6"], largest: 1.6 },
  },
  // Design px a control moves within its block: the window's boxes stand
  // 2 px over each other, which a finger would feel; their captions go
  // with them.
  moves: { Label7: [0, 3], Text5: [0, 3], Label8: [0, 3], Text6: [0, 3] },
  // The doping boxes' explanation, while it stands, in a slot of its own
  // below the block named, this many CSS px high; and its place in the
  // window's own arrangement, in twips, over its empty bottom-left corner.
  note: { after: "controls", height: 54, window: { left: 120, top: 4740, width: 4380, height: 540 } },
  // Columns from the left: "height" fits a column's one block to the
  // screen's height; the others share the width left.
  portrait: [{ blocks: ["diagram", "controls", "chart"] }],
  landscape: [{ blocks: ["diagram"], fit: "height" }, { blocks: ["controls", "chart"] }],
};
