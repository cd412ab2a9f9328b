// The whole design area at the largest uniform scale that fits the
// viewport; the painter follows at the device pixel ratio.
import { pixelsOf } from "./describe.js";

export const fitToViewport = (desc, form, painter, painted) => {
  const px = pixelsOf(desc);
  const width = px(desc.clientWidth);
  const height = px(desc.clientHeight);
  form.style.width = `${width}px`;
  form.style.height = `${height}px`;
  const layout = () => {
    const scale = Math.min(innerWidth / width, innerHeight / height);
    const left = Math.round((innerWidth - width * scale) / 2);
    const top = Math.round((innerHeight - height * scale) / 2);
    form.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
    document.documentElement.style.setProperty("--scale", String(scale));
    painter.resize(scale * devicePixelRatio);
    painted();
  };
  addEventListener("resize", layout);
  matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener("change", layout);
  layout();
  return layout;
};
