// What leaves the page, made in the page without a request: the data as a
// CSV file, a picture of the window as a PNG, and the link to this set-up.
import { fontsOf, pixelsOf } from "./describe.js";
import { designPlace } from "./controls.js";

// A picture at least twice the design size, or at the screen's own
// resolution if that is finer.
const minimumPictureRatio = 2;

const download = (blob, name) => {
  const url = URL.createObjectURL(blob);
  const link = document.createElement("a");
  link.href = url;
  link.download = name;
  link.hidden = true;
  document.body.appendChild(link);
  link.click();
  link.remove();
  // Once the download has taken it.
  setTimeout(() => URL.revokeObjectURL(url), 1000);
};

// The boxes and the check box over the painted window, as they show now.
const paintControls = (ctx, desc, built) => {
  const { fontOf } = fontsOf(desc);
  const inForm = (element) => {
    let [left, top] = [0, 0];
    for (let e = element; e && e.id !== "form1"; e = e.offsetParent) {
      const design = designPlace(desc, built, e);
      [left, top] = design ? [left + design.left, top + design.top] : [left + e.offsetLeft, top + e.offsetTop];
    }
    return { left, top, width: element.offsetWidth, height: element.offsetHeight };
  };
  // A white box in a one-pixel border, as a text box or the check box.
  const framed = (r, border) => {
    ctx.fillStyle = "#fff";
    ctx.fillRect(r.left, r.top, r.width, r.height);
    ctx.strokeStyle = border;
    ctx.lineWidth = 1;
    ctx.strokeRect(r.left + 0.5, r.top + 0.5, r.width - 1, r.height - 1);
  };
  ctx.textBaseline = "middle";
  for (const { control, element } of built.controls) {
    if (control.kind === "TextBox") {
      const r = inForm(element);
      framed(r, "#7a7a7a");
      ctx.save();
      ctx.beginPath();
      ctx.rect(r.left + 1, r.top + 1, r.width - 2, r.height - 2);
      ctx.clip();
      ctx.font = fontOf(control);
      ctx.fillStyle = "#000";
      ctx.fillText(element.value, r.left + 3, r.top + r.height / 2);
      ctx.restore();
    } else if (control.kind === "CheckBox") {
      const box = inForm(element);
      framed(box, "#555");
      if (element.checked) {
        ctx.lineWidth = 2;
        ctx.beginPath();
        ctx.moveTo(box.left + 3, box.top + box.height / 2);
        ctx.lineTo(box.left + box.width * 0.42, box.top + box.height - 3);
        ctx.lineTo(box.left + box.width - 3, box.top + 3);
        ctx.stroke();
      }
      const label = element.nextElementSibling;
      const r = inForm(label);
      const rtl = getComputedStyle(label).direction === "rtl";
      ctx.save();
      ctx.font = fontOf(control);
      ctx.fillStyle = "#000";
      ctx.direction = rtl ? "rtl" : "ltr";
      ctx.textAlign = "start";
      ctx.fillText(label.textContent, rtl ? r.left + r.width : r.left, r.top + r.height / 2);
      ctx.restore();
    }
  }
};

export const createExports = ({ desc, module, painter, built, announce }) => {
  const text = (pointer) => module.UTF8ToString(pointer);
  const px = pixelsOf(desc);

  // The picture's canvas: the window's background, the band diagram with
  // its labels, the chart, and the boxes' texts, all painted afresh.
  const picture = (ratio) => {
    const canvas = document.createElement("canvas");
    canvas.width = Math.round(px(desc.clientWidth) * ratio);
    canvas.height = Math.round(px(desc.clientHeight) * ratio);
    const ctx = canvas.getContext("2d");
    ctx.fillStyle = "#efefef";
    ctx.fillRect(0, 0, canvas.width, canvas.height);
    painter.paintInto(ctx, ratio);
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    ctx.textRendering = "geometricPrecision";
    paintControls(ctx, desc, built);
    return canvas;
  };

  // The link's fallback where the clipboard is refused: shown selected, to copy by hand.
  const linkDialog = () => {
    let dialog = document.getElementById("link-dialog");
    if (dialog) return dialog;
    dialog = document.createElement("dialog");
    dialog.id = "link-dialog";
    const label = document.createElement("label");
    const caption = document.createElement("span");
    caption.id = "link-caption";
    dialog.setAttribute("aria-labelledby", caption.id);
    const field = document.createElement("input");
    field.id = "link-text";
    field.readOnly = true;
    // An address reads left to right in every language.
    field.dir = "ltr";
    label.append(caption, field);
    const form = document.createElement("form");
    form.method = "dialog";
    const ok = document.getElementById("notice-ok").cloneNode(true);
    ok.id = "link-ok";
    form.appendChild(ok);
    dialog.append(label, form);
    document.querySelector("main").appendChild(dialog);
    return dialog;
  };

  return {
    saveData() {
      download(new Blob([text(module._quarvel_csv())], { type: "text/csv" }), text(module._quarvel_file_name(0)));
    },
    savePicture() {
      picture(Math.max(minimumPictureRatio, devicePixelRatio)).toBlob((blob) => {
        if (blob) download(blob, text(module._quarvel_file_name(1)));
      }, "image/png");
    },
    // The page's own address, whatever fragment it was opened with, and
    // this set-up's.
    link: () => `${location.href.split("#")[0]}#${text(module._quarvel_setup_link())}`,
    async copyLink(caption) {
      const link = this.link();
      try {
        await navigator.clipboard.writeText(link);
        announce(desc.teaching.copied);
      } catch {
        const dialog = linkDialog();
        // In the language shown now.
        dialog.style.fontFamily = `${fontsOf(desc).defaultFamilies}, sans-serif`;
        dialog.querySelector("#link-ok").textContent = desc.notices.ok;
        dialog.querySelector("span").textContent = caption;
        const field = dialog.querySelector("input");
        field.value = link;
        dialog.showModal();
        field.focus();
        field.select();
      }
    },
  };
};
