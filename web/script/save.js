// Saving: the picture as shown, the points, and the steps; each a file handed to the browser
// through a link to its blob.
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
