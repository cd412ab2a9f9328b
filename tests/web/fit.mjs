// Whether every caption fits its box, asked of a page in any engine: each
// function takes anything that evaluates a function in the page.

// Problems with the painted labels: ink outside the box (the page paints
// line i at its top + its ascent + i x line height, from its left edge plus
// the line's inset, or from its right edge less it for a caption that runs
// from the right) or under a control, which stands above the surface; a
// character lost in the wrapping. The ink, not the line box, is what must
// fit: the 14.25 pt band letters stand in labels one line box high less two
// pixels, as they do on the desktop.
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
    // Each label's room: its box up to the first control over it.
    for (const { room, ...label } of window.quarvel.labels()) {
      Object.assign(label, room);
      context.font = label.font;
      const font = context.measureText('Eg電');
      const lineHeight = font.fontBoundingBoxAscent + font.fontBoundingBoxDescent;
      context.font = scaled(label.font);
      context.direction = label.rtl ? 'rtl' : 'ltr';
      label.lines.forEach((line, i) => {
        const measured = context.measureText(line);
        const ink = Object.fromEntries(['width', 'actualBoundingBoxLeft', 'actualBoundingBoxRight',
          'actualBoundingBoxAscent', 'actualBoundingBoxDescent'].map((key) => [key, measured[key] / scale]));
        const baseline = label.ascent + i * lineHeight;
        // Where the line starts, and its ink and advance around that point.
        const x = label.rtl ? label.width - label.insets[i] : label.insets[i];
        const [from, to] = label.rtl ? [x - ink.width, x] : [x, x + ink.width];
        const box = { left: Math.min(from, x - ink.actualBoundingBoxLeft),
          right: Math.max(to, x + ink.actualBoundingBoxRight),
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
      const what = `${element.id} "${element.tagName === 'INPUT' ? element.value : element.textContent}"`;
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

// Characters of the captions, texts and the menu that their font draws as
// the missing-glyph box: the same picture as a character no font has. In a
// browser with no fonts of its own, only the page's faces can draw them.
export function undrawn(page) {
  return page.evaluate(() => {
    const texts = window.quarvel.labels().map((l) => [l.name, l.font.replace(/^.*?px\s+/, ''), l.caption]);
    const elements = '#form1 button, #Check1-label, #form1 input[type="text"], #menu .menu-caption';
    for (const element of document.querySelectorAll(elements)) {
      texts.push([element.id || element.parentElement.id, getComputedStyle(element).fontFamily,
        element.value ?? element.textContent]);
    }
    const canvas = document.createElement('canvas');
    canvas.width = 60;
    canvas.height = 60;
    const context = canvas.getContext('2d', { willReadFrequently: true });
    const picture = (families, character) => {
      context.clearRect(0, 0, 60, 60);
      context.font = `40px ${families}`;
      context.fillText(character, 5, 45);
      return context.getImageData(0, 0, 60, 60).data.join();
    };
    const missing = [];
    for (const [name, families, text] of texts) {
      const box = picture(families, '\u{10FFFD}');
      for (const character of new Set(text.replace(/\s/g, ''))) {
        if (picture(families, character) === box) missing.push(`${name}: "${character}" in ${families}`);
      }
    }
    return missing;
  });
}
