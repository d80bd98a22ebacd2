// Points placed by hand. In edit mode a click adds a record, a drag from a record moves it, a right
// click removes the nearest; a drag from elsewhere pans, rotates or zooms as otherwise. The C++ keeps
// the records, their changes and the rounding; the script tells clicks from drags.
const clickSlack = 3;      // canvas pixels a press may move and still be a click
const longPressMs = 500;   // a touch held this long without moving removes a record
const editing = {
  pressed: null,           // the press under way in edit mode: {x, y, button, record, moved, touch, frame, to}
  changesShown: 0,         // the C++'s count of changes shown, when the page last showed one
  fingers: [],             // the canvas pixels of the fingers down
  longPress: 0,            // the timer of a long press
};

function showEditing() {
  const refusal = page.text("pageEditRefusal");
  $("edit").disabled = refusal !== "";
  $("edit").checked &&= refusal === "";
  $("edit-why").textContent = refusal;
  $("undo").disabled = page.number("pageUndoable") === 0;
  $("redo").disabled = page.number("pageRedoable") === 0;
}

// After a change asked of the C++: its refusal, or the set as the user's points once it changed.
function showChange(refused) {
  showError(refused);
  if (page.number("pageEdits") === editing.changesShown)
    return;
  editing.changesShown = page.number("pageEdits");
  showOpened();
}

function canvasPixel(e) {
  const r = canvas.getBoundingClientRect();
  return [(e.clientX - r.left) * canvas.width / r.width, (e.clientY - r.top) * canvas.height / r.height];
}

// A press in edit mode with the left (0) or right (2) button, or a finger: whether it takes a record.
function editPress(e, touch = false) {
  editing.pressed = null;
  if (!$("edit").checked || (e.button !== 0 && e.button !== 2 && !touch))
    return false;
  const [x, y] = canvasPixel(e);
  const record = (touch || e.button === 0) && page.number("pageEditPress", x, y, touch ? 1 : 0) !== 0;
  editing.pressed = {x, y, button: touch ? 0 : e.button, record, moved: false, touch, frame: 0};
  return record;
}

// A move of the press: a held record follows it, a frame at a time.
function editMove(x, y) {
  const pressed = editing.pressed;
  if (!pressed || (!pressed.moved && Math.hypot(x - pressed.x, y - pressed.y) <= clickSlack))
    return;
  pressed.moved = true;
  pressed.to = [x, y];
  if (pressed.record && !pressed.frame)
    pressed.frame = requestAnimationFrame(() => {
      pressed.frame = 0;
      showChange(page.text("pageEditDrag", ...pressed.to));
    });
}

// The press let go: the held record's last move, or a click's add or removal.
function editRelease() {
  const p = editing.pressed;
  editing.pressed = null;
  if (!p)
    return;
  if (p.frame) {
    cancelAnimationFrame(p.frame);
    showChange(page.text("pageEditDrag", ...p.to));
  }
  page.call("pageEditRelease", null);
  if (!p.moved) // a click, on a record or not
    showChange(p.button === 0 ? page.text("pageEditAdd", p.x, p.y) : page.text("pageEditRemove", p.x, p.y, 0));
}

function undoRedo(name) {
  showChange(page.text(name));
  canvas.focus();
}

$("undo").onclick = () => undoRedo("pageUndo");
$("redo").onclick = () => undoRedo("pageRedo");
window.addEventListener("mousemove", e => editing.pressed && !editing.pressed.touch && editMove(...canvasPixel(e)), true);
window.addEventListener("mouseup", e => editing.pressed && !editing.pressed.touch && e.button === editing.pressed.button && editRelease(), true);
// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, but in a field of text, which keeps its own.
window.addEventListener("keydown", e => {
  const key = e.key.toLowerCase(), typing = e.target.matches("textarea, input:not([type=checkbox])");
  if (!(e.ctrlKey || e.metaKey) || !["z", "y"].includes(key) || typing)
    return;
  e.preventDefault();
  e.stopImmediatePropagation();
  undoRedo(key === "y" || e.shiftKey ? "pageRedo" : "pageUndo");
}, true);

// Touches on the canvas: one finger as the left button (in edit mode a tap adds a record and a long
// press removes one), two zoom as the middle button does, by how much farther apart they move.

function glutMouse(button, state, [x, y]) {
  if (GLUT.mouseFunc)
    getWasmTableEntry(GLUT.mouseFunc)(button, state, x, y);
}

// Ends what the fingers were doing: a one-finger press is let go (a tap when it is the last finger).
function endFingers(last) {
  clearTimeout(editing.longPress);
  if (editing.fingers.length === 1) {
    if (editing.pressed && !last)
      editing.pressed.moved = true; // a second finger: no tap
    const record = editing.pressed && editing.pressed.record;
    editRelease();
    if (!record)
      glutMouse(0, 1, editing.fingers[0]);
  } else if (editing.fingers.length === 2) {
    glutMouse(1, 1, editing.fingers[0]);
  }
}

function startFingers(touches) {
  editing.fingers = [...touches].map(canvasPixel);
  if (editing.fingers.length === 1) {
    if (!editPress(touches[0], true))
      glutMouse(0, 0, editing.fingers[0]);
    if (editing.pressed)
      editing.longPress = setTimeout(() => {
        if (!editing.pressed || editing.pressed.moved)
          return;
        editing.pressed.moved = true; // no tap at the end, and no record held any more
        editing.pressed.record = false;
        page.call("pageEditRelease", null);
        showChange(page.text("pageEditRemove", editing.pressed.x, editing.pressed.y, 1));
      }, longPressMs);
  } else if (editing.fingers.length === 2) {
    glutMouse(1, 0, editing.fingers[0]);
  }
}

function onTouch(e) {
  if (e.cancelable) // a touchcancel cannot be
    e.preventDefault();
  const now = [...e.touches].map(canvasPixel);
  if (now.length !== editing.fingers.length) {
    endFingers(now.length === 0 && e.type === "touchend"); // a cancelled touch is no tap
    startFingers(e.touches);
    return;
  }
  if (now.length === 1) {
    editMove(...now[0]);
    if (!(editing.pressed && editing.pressed.record) && GLUT.motionFunc)
      getWasmTableEntry(GLUT.motionFunc)(...now[0]);
  } else if (now.length === 2) {
    const spread = ([a, b]) => Math.hypot(a[0] - b[0], a[1] - b[1]);
    if (spread(editing.fingers) > 0 && spread(now) > 0)
      page.call("pageZoom", null, spread(editing.fingers) / spread(now)); // nearer as they part
  }
  editing.fingers = now;
}

for (const type of ["touchstart", "touchmove", "touchend", "touchcancel"])
  canvas.addEventListener(type, onTouch, {passive: false});
