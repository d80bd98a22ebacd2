// Saving: the picture as shown, a slide of the step, the points, and the steps; each a file handed
// to the browser through a link to its blob.
function download(name, blob) {
  const a = Object.assign(document.createElement("a"), {href: URL.createObjectURL(blob), download: name});
  a.click();
  setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}
const textBlob = text => new Blob([text], {type: "text/plain"});

$("save-picture").onclick = () => {
  const step = page.number("pageStep");
  canvas.toBlob(blob => download(step > 0 ? `closest-step-${step}.png` : "closest.png", blob));
};
$("save-points").onclick = $("link-save-points").onclick = () =>
  download("closest-points.txt", textBlob(page.text("pagePointsText")));
$("save-steps").onclick = () => {
  const refused = page.text("pageStepsRefusal");
  showError(refused);
  if (!refused)
    download(`closest-steps-${controls.language}.txt`, textBlob(page.text("pageStepsText")));
};

// A slide of the step shown, for a lecture's slides: the step's text across the top, the picture,
// and under it the listing's marked line and the legend, in sizes a hall reads (the step's text 3%
// of the slide's height, the rest 2.2%).
function slideOf(picture, texts) {
  const width = picture.width, font = size => `${size}px monospace`;
  const slide = document.createElement("canvas"), g = slide.getContext("2d");
  const wrapped = (text, size) => {
    g.font = font(size);
    const rows = [];
    for (const line of text.split("\n")) {
      let row = "";
      for (const word of line.split(" ")) {
        if (row && g.measureText(row + " " + word).width > width - 2 * size)
          rows.push(row), row = word;
        else
          row = row ? row + " " + word : word;
      }
      rows.push(row);
    }
    return rows.map(row => [row, size]);
  };
  const big = Math.max(16, Math.round(picture.height * 0.03)), small = Math.max(14, Math.round(picture.height * 0.022));
  const top = wrapped(texts.step, big), bottom = [...wrapped(texts.line, small), ...wrapped(texts.legend, small)];
  const height = size => size * 1.3;
  const topHeight = Math.ceil(top.reduce((sum, [, size]) => sum + height(size), 0) + big / 2); // whole rows: no resampling
  slide.width = width;
  slide.height = Math.ceil(topHeight + picture.height + bottom.reduce((sum, [, size]) => sum + height(size), 0) + small);
  g.fillStyle = "#f4f4ef";
  g.fillRect(0, 0, slide.width, slide.height);
  g.fillStyle = "#222";
  g.textBaseline = "top";
  let y = big / 4;
  for (const [row, size] of top) {
    g.font = font(size);
    g.fillText(row, size, y);
    y += height(size);
  }
  g.drawImage(picture, 0, topHeight);
  y = topHeight + picture.height + small / 2;
  for (const [row, size] of bottom) {
    g.font = font(size);
    g.fillText(row, size, y);
    y += height(size);
  }
  return slide;
}

$("save-slide").onclick = () => {
  const step = page.number("pageStep");
  if (step === 0)
    return showError(page.text("pageStepsNote") || page.message("no step is shown"));
  const marked = document.querySelector("#listing .current");
  const texts = {step: page.text("pageStepText"), line: marked ? marked.textContent.trim() : "",
                 legend: $("legend").checked ? page.text("pageLegend") : ""};
  slideOf(canvas, texts).toBlob(blob => download(`closest-slide-${step}.png`, blob));
};
