// The step beside the picture: its text, the calls under way, the legend, the listing's line, the
// question while asking; and the address, which names what is on screen.
const steps = {
  addressTimer: 0,  // the address is rewritten once the steps rest for a moment
  askFocus: null,   // what had the focus when a question opened, given back once it is answered
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

// Asking before a comparison's or a combine's result: the C++ says what is asked, which answer is
// right and how many were; the page shows the question with its two answers in place of the next
// step (the step keys wait for an answer), and holds the report back until the last step.
function showAsk() {
  const ask = page.json("pageAsk");
  const open = ask.question !== "";
  $("ask-box").hidden = !ask.asking;
  $("ask-question").textContent = ask.question;
  $("ask-question").hidden = !open;
  ask.answers.forEach((word, i) => $("ask-" + i).textContent = word);
  for (const button of [$("ask-0"), $("ask-1")])
    button.hidden = !open;
  $("ask-verdict").textContent = ask.verdict;
  $("ask-score").textContent = ask.score;
  $("report").hidden = $("report-note").hidden = ask.hideReport;
  $("save-steps").disabled = ask.hideReport; // the steps' file holds every answer
  if (open)
    for (const button of $("keys").children)
      button.disabled = true;
  if (open && !steps.askFocus) {
    steps.askFocus = document.activeElement || canvas;
    $("ask-0").focus();
  }
}

function answerAsk(answer) {
  page.call("pageAnswer", null, answer);
  showStep();
  const back = steps.askFocus;
  steps.askFocus = null;
  if (back && back.isConnected && !back.disabled)
    back.focus();
}
$("ask-0").onclick = () => answerAsk(0);
$("ask-1").onclick = () => answerAsk(1);
