// The picture's keys, size and GLUT: what emscripten's GLUT does otherwise than freeglut, set right before
// it starts; the canvas's size followed; and the module that starts the page.
// Backspace on the picture, which emscripten's GLUT gives no key code the steps know, goes to the
// window's keyboard function as the native window gets it; the keys that choose a question's records
// there go to the question.
for (const type of ["keydown", "keyup", "keypress"])
  window.addEventListener(type, e => {
    if (e.target !== canvas && e.target !== document.body)
      return;
    if (e.target === canvas && askKey(e)) {
      e.preventDefault();
      e.stopImmediatePropagation();
    } else if (e.key === "Backspace") {
      e.preventDefault();
      e.stopImmediatePropagation();
      if (type === "keydown" && GLUT.keyboardFunc)
        getWasmTableEntry(GLUT.keyboardFunc)(8, Browser.mouseX, Browser.mouseY);
    } else if (type === "keyup") {
      showSwitches(); // f and z switch following and projector mode
    }
  }, true);
canvas.addEventListener("contextmenu", e => e.preventDefault());
canvas.addEventListener("mousedown", () => canvas.focus());

// A new size for the picture resets the view, as a window's reshape does. The marks and lines
// are drawn at the canvas's pixels per CSS pixel (the browser itself multiplies a CSS pixel by
// window.devicePixelRatio), and larger on a picture wider than the window's 1024 pixels.
function fitCanvas() {
  const width = $("view").clientWidth, height = $("view").clientHeight;
  if (typeof GLUT === "undefined" || !GLUT.reshapeFunc)
    return;
  if (width !== canvas.width || height !== canvas.height)
    _glutReshapeWindow(width, height);
  const shown = canvas.clientWidth || canvas.width;
  page.call("pageScale", null, canvas.width / shown * Math.max(1, shown / 1024));
}
new ResizeObserver(fitCanvas).observe($("view"));

// What emscripten 3.1.6's GLUT does otherwise than freeglut, set right before it starts.
function adaptGlut() {
  // GLUT listens for keys on the whole window: those typed into the page's fields stay there (and
  // reach the fields' own handlers, as Enter in the seed does).
  for (const name of ["onKeydown", "onKeyup"]) {
    const handle = GLUT[name];
    GLUT[name] = e => (e.target === canvas || e.target === document.body) && handle(e);
  }
  // The motion callback is given the position before the move: give it the new one.
  GLUT.onMousemove = function (event) {
    const lastX = Browser.mouseX, lastY = Browser.mouseY;
    Browser.calculateMouseEvent(event);
    if (Browser.mouseX === lastX && Browser.mouseY === lastY)
      return;
    if (GLUT.buttons !== 0 && GLUT.motionFunc) {
      event.preventDefault();
      GLUT.saveModifiers(event);
      getWasmTableEntry(GLUT.motionFunc)(Browser.mouseX, Browser.mouseY);
    }
  };
  // The wheel: on the canvas only, up as button 3 and down as 4, each a press and a release.
  GLUT.onMouseWheel = () => {};
  canvas.addEventListener("wheel", e => {
    e.preventDefault();
    if (!GLUT.mouseFunc || e.deltaY === 0)
      return;
    Browser.calculateMouseEvent(e);
    GLUT.saveModifiers(e);
    const button = e.deltaY < 0 ? 3 : 4, mouse = getWasmTableEntry(GLUT.mouseFunc);
    mouse(button, 0, Browser.mouseX, Browser.mouseY);
    mouse(button, 1, Browser.mouseX, Browser.mouseY);
  }, {passive: false});
  // Only presses on the canvas count, and only their releases.
  const down = GLUT.onMouseButtonDown, up = GLUT.onMouseButtonUp;
  GLUT.onMouseButtonDown = e => { if (e.target === canvas && !editPress(e)) down(e); };
  GLUT.onMouseButtonUp = e => { if (GLUT.buttons & (1 << e.button)) up(e); };
}

// For the keyboard alone: Tab leaves the picture as it leaves any control, where GLUT would take it
// as one of the picture's keys and keep the focus there.
function letTabLeave() {
  for (const name of ["onKeydown", "onKeyup"]) {
    const handle = GLUT[name];
    GLUT[name] = e => e.key === "Tab" || handle(e);
  }
}

// The C++ that opens a large set, run once on a small one after the first picture, so that the
// browser has its fast code ready when a large one comes.
function warmUp() { page.call("pageWarmUp", null); }

var Module = {
  canvas,
  print: text => console.log(text),
  printErr: text => console.warn(text),
  preRun: [adaptGlut, letTabLeave],
  postRun: [() => { fitCanvas(); buildControls(); openAddress(); requestAnimationFrame(() => setTimeout(warmUp, 0)); }],
  onStepShown: () => controls.lists && showStep(),
  saveSlide: () => $("save-slide").click(), // the s key on the picture
  onAbort: what => showError(controls.stopped + what),
};
