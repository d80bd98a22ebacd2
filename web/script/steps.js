// The step beside the picture: its text, the calls under way, the legend, the listing's line, the
// question while asking; and the address, which names what is on screen.
const steps = {
  addressTimer: 0,  // the address is rewritten once the steps rest for a moment
  askFocus: null,   // what had the focus when a question opened, given back once it is answered
  askPressed: null, // a press on the picture that may be a click for the open question: {x, y, touch}
  askKeys: false,   // the open question is answered by records, which the arrow keys reach on the picture
};

function showStep() {
  const shown = page.number("pageStepsShown") !== 0;
  for (const button of $("keys").children)
    button.disabled = !shown;
  $("step-text").textContent = page.text("pageStepText");
  $("calls").textContent = page.text("pageCalls");
  const legend = $("legend").checked ? page.text("pageLegend") : "";
  $("legend-lines").textContent = legend;
  $("legend-lines").hidden = legend === "";
  const current = page.number("pageListingLine");
  [...$("listing").children].forEach((line, i) => {
    line.classList.toggle("current", i + 1 === current);
    if (i + 1 === current)
      line.setAttribute("aria-current", "step");
    else
      line.removeAttribute("aria-current");
  });
  showAsk();
  showTree();
  showStepsNote();
  rewriteAddress();
}

// Above the picture, why steps asked for are not shown, as the C++ says it.
function showStepsNote() {
  const note = page.text("pageStepsNote");
  $("steps-note").textContent = note;
  $("steps-note").hidden = !note;
}

// A browser may take a long time over each rewrite of the address, hence the pause.
function rewriteAddress() {
  clearTimeout(steps.addressTimer);
  steps.addressTimer = setTimeout(() => {
    const address = page.text("pageAddress");
    if (address === location.search)
      return;
    try {
      history.replaceState(null, "", address);
    } catch (e) { // some browsers keep file: addresses as they are
    }
  }, 300);
}

// Asking before a step's result: the C++ says what is asked, what answers it, which records may be
// chosen and how many answers were right; the page shows the question with its two answers, or
// the call's records as buttons (a larger call's strip takes its counts on each side), in place of
// the next step (Next and Previous wait for an answer), and holds the report back until the last
// step. A click or tap on the picture places a split's line or chooses a record, as the arrow keys
// and Enter do there.
function showAsk() {
  const ask = page.json("pageAsk");
  const open = ask.question !== "";
  $("ask-box").hidden = !ask.asking;
  $("ask-kinds").hidden = !ask.asking;
  $("ask-question").textContent = ask.question;
  $("ask-question").hidden = !open;
  ask.answers.forEach((word, i) => $("ask-" + i).textContent = word);
  for (const button of [$("ask-0"), $("ask-1")])
    button.hidden = !open || ask.byRecords;
  $("ask-records").replaceChildren(...ask.records.map(r => {
    const button = document.createElement("button");
    button.textContent = r.text;
    button.setAttribute("aria-pressed", r.chosen ? "true" : "false");
    button.onclick = () => answerAsk(() => page.call("pageAskRecord", null, r.index), r.index);
    return button;
  }));
  $("ask-chosen").textContent = ask.chosen;
  $("ask-hint").textContent = ask.hint;
  $("ask-cursor").textContent = ask.cursor;
  $("ask-counts").hidden = !open || !ask.counts;
  ["ask-counts-legend", "ask-left-label", "ask-right-label"].forEach((id, i) => $(id).textContent = ask.countWords[i]);
  steps.askKeys = open && ask.byRecords;
  $("ask-submit").textContent = ask.answerLabel;
  $("ask-submit").hidden = !open || (ask.kind !== "strip" && ask.kind !== "split");
  $("ask-place-box").hidden = !open || ask.kind !== "split"; // the split's x typed, for a call of any size
  $("ask-verdict").textContent = ask.verdict;
  $("ask-score").textContent = ask.score;
  $("report").hidden = $("report-note").hidden = ask.hideReport;
  $("save-steps").disabled = ask.hideReport; // the steps' file holds every answer
  if (open) // Next and Previous wait; the jumps skip the question
    for (const button of $("keys").children)
      button.disabled ||= Number(button.dataset.key) <= 1;
  if (!open && ask.verdict === "")
    steps.askFocus = null; // a jump ended the question unanswered
  if (open && !steps.askFocus) { // a new question
    steps.askFocus = document.activeElement || canvas;
    for (const id of ["ask-place", "ask-left", "ask-right"])
      $(id).value = "";
    (ask.byRecords ? $("ask-records").firstElementChild ||
                     (ask.kind === "split" ? $("ask-place") : ask.counts ? $("ask-left") : canvas)
                   : $("ask-0")).focus();
  }
}

// An answer given (or a record chosen) by call; the focus goes back once the question is answered,
// or stays on the record's button while it is still open.
function answerAsk(call, record) {
  call();
  showStep();
  const ask = page.json("pageAsk");
  if (ask.question !== "") {
    const i = ask.records.findIndex(r => r.index === record);
    if (i >= 0)
      $("ask-records").children[i].focus();
    return;
  }
  const back = steps.askFocus;
  steps.askFocus = null;
  if (back && back.isConnected && !back.disabled)
    back.focus();
}
$("ask-0").onclick = () => answerAsk(() => page.call("pageAnswer", null, 0));
$("ask-1").onclick = () => answerAsk(() => page.call("pageAnswer", null, 1));
// Answer: a split by its x typed; a strip by its counts when either is typed (whole numbers both),
// else by the records chosen.
$("ask-submit").onclick = () => {
  const x = Number($("ask-place").value.trim().replace(",", "."));
  const counts = ["ask-left", "ask-right"].map(id => $(id).value.trim());
  const ask = page.json("pageAsk");
  if (ask.kind === "strip" && ask.counts && counts.some(c => c)) {
    const bad = counts.findIndex(c => !/^\d{1,9}$/.test(c));
    if (bad >= 0)
      $(["ask-left", "ask-right"][bad]).focus();
    else
      answerAsk(() => page.call("pageAskCounts", null, Number(counts[0]), Number(counts[1])));
  } else if (ask.kind !== "split")
    answerAsk(() => page.call("pageAskSubmit", null));
  else if ($("ask-place").value.trim() && Number.isFinite(x))
    answerAsk(() => page.call("pageAskPlace", null, x));
  else
    $("ask-place").focus();
};
for (const id of ["ask-place", "ask-left", "ask-right"])
  $(id).onkeydown = e => {
    if (e.key !== "Enter")
      return;
    e.preventDefault(); // no press of the button the focus goes back to
    $("ask-submit").click();
  };

// The arrow keys, Enter and Space on the picture while records answer the open question: they go
// from record to record and choose the one there, in place of the steps' keys (which wait meanwhile).
const askArrows = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};
function askKey(e) {
  if (!steps.askKeys || !(e.key in askArrows || e.key === "Enter" || e.key === " "))
    return false;
  if (e.type === "keydown")
    answerAsk(() => e.key in askArrows ? page.call("pageAskMove", null, ...askArrows[e.key])
                                       : page.call("pageAskPick", null));
  return true;
}

// The kinds of question, as check boxes in the language; a change asks the C++ to take them.
function showAskKinds() {
  const kinds = page.json("pageQuestionKinds");
  const legend = $("ask-kinds").firstElementChild;
  $("ask-kinds").replaceChildren(legend, ...kinds.map(k => {
    const label = document.createElement("label"), box = document.createElement("input");
    box.type = "checkbox";
    box.checked = k.on;
    box.dataset.kind = k.name;
    box.onchange = () => {
      const chosen = [...$("ask-kinds").querySelectorAll("input:checked")].map(b => b.dataset.kind).join(",");
      const refused = page.text("pageSetQuestions", chosen);
      if (refused)
        showError(refused);
      showAskKinds();
      showStep();
    };
    label.append(box, " " + k.label);
    return label;
  }));
}

// A click (a press let go where it was) or a one-finger tap on the picture, for the open question.
function askPress(x, y, touch) {
  steps.askPressed = {x, y, touch};
}
function askRelease(x, y) {
  const p = steps.askPressed;
  steps.askPressed = null;
  if (!p || Math.hypot(x - p.x, y - p.y) > clickSlack || $("edit").checked)
    return;
  if (page.number("pageAskClick", p.x, p.y, p.touch ? 1 : 0) !== 0)
    answerAsk(() => {});
}
canvas.addEventListener("mousedown", e => e.button === 0 && askPress(...canvasPixel(e), false));
canvas.addEventListener("mouseup", e => e.button === 0 && askRelease(...canvasPixel(e)));
canvas.addEventListener("touchstart", e => {
  steps.askPressed = null;
  if (e.touches.length === 1)
    askPress(...canvasPixel(e.touches[0]), true);
}, {passive: true});
canvas.addEventListener("touchmove", e => {
  const p = steps.askPressed, [x, y] = canvasPixel(e.touches[0]);
  if (p && (e.touches.length !== 1 || Math.hypot(x - p.x, y - p.y) > clickSlack))
    steps.askPressed = null;
}, {passive: true});
canvas.addEventListener("touchend", e => {
  if (e.touches.length === 0 && steps.askPressed)
    askRelease(steps.askPressed.x, steps.askPressed.y);
}, {passive: true});
