// The choosers, the switches and the key buttons, made from the C++'s lists; the language of the
// texts beside the picture and of the page's labels about the questions, the tree and the cost.
const controls = {
  lists: null,   // what the C++ offers: programs, sets, dimensions, languages, keys, counts
  language: "",  // of the steps, the calls, the listing, the keys and those labels
  labels: {},    // the labels in it, by the name the C++ gives each
  stopped: "",   // the message's start should the WebAssembly stop, when it can no longer be asked
};

function option(value, text, title) {
  const o = document.createElement("option");
  o.value = value;
  o.textContent = text;
  if (title)
    o.title = title;
  return o;
}

function buildControls() {
  const lists = controls.lists = page.json("pageLists");
  controls.stopped = page.message("stopped: ");
  $("program").replaceChildren(...lists.programs.map(name => option(name, name)));
  $("set").replaceChildren(...lists.sets.map(s => option(s.name, s.name, s.description)));
  $("dim").replaceChildren(...lists.dimensions.map(d => option(d, d + "D")));
  $("lang").replaceChildren(...lists.languages.map(l => option(l.name, l.ownName)));
  $("count").value = lists.defaultCount;
  $("count").placeholder = lists.leastCount + " to " + lists.mostCount;
  $("cost-most").value = lists.costMost;
  const digits = Array.from({length: lists.mostDigits - lists.leastDigits + 1}, (_, i) => lists.leastDigits + i);
  $("digits").replaceChildren(option("", "exact"), ...digits.map(d => option(d, d)));
  $("keys").replaceChildren(...lists.keys.map(k => {
    const button = document.createElement("button");
    button.dataset.key = k.key;
    button.title = k.shortcut;
    button.onclick = () => page.call("pageKey", null, k.key);
    button.keyLabels = k.label;
    return button;
  }));
  // The switches' boxes bear their names (explain, follow, large, ask).
  for (const name of Object.keys(page.json("pageSwitches")))
    $(name).onchange = () => {
      page.call("pageSwitch", null, name, $(name).checked ? 1 : 0);
      showSwitches();
      showStep();
    };
  describeSet();
}

function describeSet() {
  const set = controls.lists.sets.find(s => s.name === $("set").value);
  $("set-about").textContent = set ? set.description : "";
}

// The language the browser asks for, when the C++ has it; else English.
function browserLanguage() {
  const asked = (navigator.language || "").toLowerCase();
  const found = controls.lists.languages.find(l => asked.startsWith(l.name));
  return found ? found.name : "en";
}

function setLanguage(code) {
  controls.language = code;
  $("lang").value = code;
  $("side").lang = code;
  page.call("pageLanguage", null, code);
  // The labels: an element's text by its id, or its attribute after "@"; the chart's are drawn with it.
  controls.labels = page.json("pageLabels");
  for (const [name, text] of Object.entries(controls.labels)) {
    const [id, attribute] = name.split("@"), element = $(id);
    if (element && attribute)
      element.setAttribute(attribute, text);
    else if (element)
      element.textContent = text;
  }
  if (costChart.table)
    drawCost(costChart.table);
  for (const button of $("keys").children)
    button.textContent = button.keyLabels[code];
  const lines = page.text("pageListing").split("\n");
  $("listing").replaceChildren(...lines.map((line, i) => {
    const div = document.createElement("div");
    div.setAttribute("role", "listitem");
    div.textContent = String(i + 1).padStart(2) + "  " + line;
    return div;
  }));
  $("report-note").textContent = page.text("pageNote");
  showAskKinds();
  showStep();
}

// The switches as the C++ has them (a key on the picture, or one switch turning another on or
// off, changes them there): the check boxes, and projector mode's larger texts by the body's class.
function showSwitches() {
  const switches = page.json("pageSwitches");
  for (const [name, on] of Object.entries(switches))
    $(name).checked = on;
  document.body.classList.toggle("large", switches.large);
  document.body.classList.toggle("present", switches.present);
  rewriteAddress();
}

$("lang").onchange = () => setLanguage($("lang").value);
// In present mode the choosers and switches wait behind one button.
$("controls-toggle").onclick = () => {
  const open = document.body.classList.toggle("controls-open");
  $("controls-toggle").setAttribute("aria-expanded", open);
};
$("legend").onchange = () => showStep();
$("digits").onchange = () => {
  const refused = page.text("pageSetDigits", $("digits").value);
  if (refused)
    showError(refused);
  showStep();
};
