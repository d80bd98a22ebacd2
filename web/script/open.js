// Opening sets: a program's, one that teaches, the user's points (a file chosen or dropped, or
// text pasted) and the one the address names. Large ones hold the page for seconds, so a sign of
// work is painted first and the buttons that open sets wait until it is shown.
const opening = {
  largeBytes: 1 << 20,  // of points, from which an opening shows the sign
  largeRecords: 50000,  // of a set that teaches, likewise
  controls: ["open", "set-open", "points-open", "points-file"],
};

// Shows the set just opened: the choosers at what it was opened from, its report and notes.
function showOpened() {
  const seed = page.number("pageSeed");
  $("seed").value = seed >= 0 ? seed : "";
  const source = page.json("pageSource");
  if (source.program !== undefined)
    $("program").value = source.program;
  if (source.set !== undefined) {
    $("set").value = source.set;
    $("count").value = source.count;
    $("dim").value = source.dim;
    describeSet();
  }
  $("report").textContent = page.text("pageReport");
  $("report-note").textContent = page.text("pageNote");
  const note = page.text("pagePointsNote");
  $("link-note").hidden = !note;
  $("link-note").firstChild.textContent = note;
  $("digits").value = page.number("pageDigits") || "";
  showSwitches();
  showEditing();
  showStep();
}

// After an opening: its refusal, or the set it opened.
function showOpening(refused) {
  showError(refused);
  if (!refused)
    showOpened();
}

// Opens the set a link's parameters name ({program, seed} or {set, count, dim, seed}; an empty seed
// is the current second).
function openSet(parameters) {
  if (parameters.seed === "")
    delete parameters.seed;
  page.parameters(parameters);
  showOpening(page.text("pageOpenSet", $("explain").checked ? 1 : 0));
}

function openProgram(seed) { openSet({program: $("program").value, seed}); }

function openTeaching() {
  const open = () => openSet({set: $("set").value, count: $("count").value.trim(), dim: $("dim").value,
                              seed: $("seed").value.trim()});
  const count = Number($("count").value);
  if (count < opening.largeRecords)
    return open();
  whileWorking(page.text("pageMaking", count), open);
}

// The points handed over (pagePointsRoom) opened under name.
function openPoints(name) {
  showOpening(page.text("pageOpenPoints", name, $("explain").checked ? 1 : 0));
}

function openBytes(name, bytes) {
  if (!page.points(bytes))
    return showError(page.message("out of memory"));
  openPoints(name);
}

function openFile(file) {
  if (!file)
    return;
  file.arrayBuffer().then(buffer => {
    if (buffer.byteLength < opening.largeBytes)
      return openBytes(file.name, new Uint8Array(buffer));
    whileWorking(page.text("pageReading", buffer.byteLength), () => openBytes(file.name, new Uint8Array(buffer)));
  }, e => showError(page.text("pageUnreadable", file.name, e.message)));
}

function openPasted() {
  const text = $("points-text").value;
  if (text.length < opening.largeBytes)
    return openBytes("-", new TextEncoder().encode(text));
  whileWorking(page.text("pageReading", text.length), () => {
    if (!handPasted(text))
      return showError(page.message("out of memory"));
    openPoints("-");
  });
}

// Pasted text encoded straight into the C++'s room for it when it is ASCII, with no copy between;
// else as bytes like another. False when memory runs out.
function handPasted(text) {
  const at = page.number("pagePointsRoom", text.length) >>> 0;
  if (!at)
    return false;
  const {read, written} = new TextEncoder().encodeInto(text, HEAPU8.subarray(at, at + text.length));
  if (read === text.length)
    page.call("pagePointsLength", null, written);
  return read === text.length || page.points(new TextEncoder().encode(text));
}

// The job's report comes before its picture: a redisplay it asks for waits for the frame that
// shows the text, since a large set's picture can take a software renderer most of a second.
function whileWorking(what, job) {
  $("busy").textContent = what;
  $("busy").hidden = false;
  for (const id of opening.controls)
    $(id).disabled = true;
  requestAnimationFrame(() => setTimeout(() => {
    const held = !GLUT.requestedAnimationFrame;
    GLUT.requestedAnimationFrame = true; // as if a redisplay were asked for already
    try {
      job();
    } finally {
      $("busy").hidden = true;
      $("busy").textContent = "";
      for (const id of opening.controls)
        $(id).disabled = false;
      if (held)
        requestAnimationFrame(() => {
          GLUT.requestedAnimationFrame = false;
          _glutPostRedisplay();
        });
    }
  }, 0));
}

// The set the address names, its parameters handed to the C++ as they are: it says a bad one as
// closest_explain would, and opens what it can.
function openAddress() {
  page.words([...new URLSearchParams(location.search)].flat());
  const link = page.json("pageLink", browserLanguage());
  setLanguage(link.language);
  showOpened();
  showError(link.refused);
  // A link to the steps opens with the whole picture on the first screen: where the controls above
  // would push its foot below the screen (a laptop's), the page starts scrolled down to it.
  const view = $("view").getBoundingClientRect();
  if (page.json("pageSwitches").explain && view.bottom > innerHeight && view.height <= innerHeight)
    $("view").scrollIntoView({block: "start"});
}

$("open").onclick = () => openProgram($("seed").value.trim());
$("program").onchange = () => openProgram("");
$("set-open").onclick = openTeaching;
for (const id of ["set", "dim", "count"])
  $(id).onchange = openTeaching;
$("seed").onkeydown = e => {
  if (e.key === "Enter")
    (page.json("pageSource").set !== undefined ? openTeaching : () => openProgram($("seed").value.trim()))();
};
$("points-file").onchange = e => openFile(e.target.files[0]);
$("points-open").onclick = openPasted;

// A file dropped anywhere on the page.
document.addEventListener("dragover", e => { e.preventDefault(); document.body.classList.add("dropping"); });
document.addEventListener("dragleave", () => document.body.classList.remove("dropping"));
document.addEventListener("drop", e => {
  e.preventDefault();
  document.body.classList.remove("dropping");
  openFile(e.dataTransfer.files[0]);
});
