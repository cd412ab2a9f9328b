// Whether every caption fits its box, asked of a page in any engine: each
// function takes anything that evaluates a function in the page.

// Problems with the painted labels: ink outside the box (the page paints
// line i at its top + its ascent + i x line height) or under a control, which
// stands above the surface; a character lost in the wrapping. The ink, not
// the line box, is what must fit: the 14.25 pt band letters stand in labels
// one line box high less two pixels, as they do on the desktop.
export function labelProblems(page) {
  return page.evaluate(() => {
    const problems = [];
    const context = document.createElement('canvas').getContext('2d');
    context.textRendering = 'geometricPrecision';  // as the page paints its labels
    // and at ten times the size where a canvas cannot turn hinting off (WebKit)
    const scale = 'textRendering' in CanvasRenderingContext2D.prototype ? 1 : 10;
    const scaled = (font) => font.replace(/^([\d.]+)px/, (_, size) => `${size * scale}px`);
    const controls = [...document.querySelectorAll('#form1 > :not(#surface)')].map((c) => ({
      id: c.id, left: c.offsetLeft, top: c.offsetTop, right: c.offsetLeft + c.offsetWidth,
      bottom: c.offsetTop + c.offsetHeight,
    }));
    for (const label of window.quarvel.labels()) {
      context.font = label.font;
      const font = context.measureText('Eg電');
      const lineHeight = font.fontBoundingBoxAscent + font.fontBoundingBoxDescent;
      context.font = scaled(label.font);
      label.lines.forEach((line, i) => {
        const measured = context.measureText(line);
        const ink = Object.fromEntries(['width', 'actualBoundingBoxLeft', 'actualBoundingBoxRight',
          'actualBoundingBoxAscent', 'actualBoundingBoxDescent'].map((key) => [key, measured[key] / scale]));
        const baseline = label.ascent + i * lineHeight;
        const box = { left: -ink.actualBoundingBoxLeft, right: Math.max(ink.width, ink.actualBoundingBoxRight),
          top: baseline - ink.actualBoundingBoxAscent, bottom: baseline + ink.actualBoundingBoxDescent };
        if (box.left < 0 || box.right > label.width || box.top < 0 || box.bottom > label.height) {
          problems.push(`${label.name} "${line}": ink ${JSON.stringify(box)} outside ` +
            `${label.width} x ${label.height}`);
        }
        const [left, right] = [label.left + box.left, label.left + box.right];
        const [top, bottom] = [label.top + box.top, label.top + box.bottom];
        for (const c of controls) {
          if (left < c.right && right > c.left && top < c.bottom && bottom > c.top) {
            problems.push(`${label.name} "${line}" lies under ${c.id}`);
          }
        }
      });
      if (label.lines.join('').replace(/\s/g, '') !== label.caption.replace(/\s/g, '')) {
        problems.push(`${label.name}: ${JSON.stringify(label.lines)} for "${label.caption}"`);
      }
    }
    return problems;
  });
}

// Problems with the windowed controls: a caption or text that overflows
// its control, or that reaches past the control's edges.
export function controlProblems(page) {
  return page.evaluate(() => {
    const problems = [];
    const boxes = [...document.querySelectorAll('#form1 button, #Check1-label, #form1 input[type="text"]')];
    for (const element of boxes) {
      const what = `${element.id} "${element.value ?? element.textContent}"`;
      if (element.scrollWidth > element.clientWidth) {
        problems.push(`${what}: ${element.scrollWidth} wide in ${element.clientWidth}`);
      }
      if (element.scrollHeight > element.clientHeight) {
        problems.push(`${what}: ${element.scrollHeight} high in ${element.clientHeight}`);
      }
      if (element.tagName === 'INPUT') continue;
      const range = document.createRange();
      range.selectNodeContents(element);
      const inner = range.getBoundingClientRect();
      const outer = element.getBoundingClientRect();
      if (inner.left < outer.left || inner.right > outer.right || inner.top < outer.top ||
          inner.bottom > outer.bottom) {
        problems.push(`${what}: its text reaches past the control`);
      }
    }
    return problems;
  });
}
