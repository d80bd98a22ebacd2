// The recursion beside the steps: the calls as a tree (the C++ folds it and marks the current call)
// and the set's levels; a call chosen goes to its first step.
const tree = {
  shown: "",   // the C++'s last text of the tree, redrawn only when it changes
  levels: "",  // and of the levels, which change only with the set
};

function showTree() {
  const text = page.text("pageTree");
  if (text === tree.shown)
    return;
  tree.shown = text;
  const {calls, levels} = JSON.parse(text);
  $("tree-box").hidden = calls.length === 0;
  // The same calls as before keep their buttons: only their texts and classes change.
  const buttons = [...$("tree").children];
  const same = buttons.length === calls.length && calls.every((c, i) => buttons[i].call === c.call);
  const made = same ? buttons : calls.map(c => {
    const button = document.createElement("button");
    button.call = c.call;
    button.style.marginLeft = (c.depth - 1) * 1.2 + "em";
    button.onclick = () => {
      page.call("pageTreeJump", null, c.call);
      showStep();
      const current = $("tree").querySelector(".current");
      if (current)
        current.focus();
    };
    return button;
  });
  calls.forEach((c, i) => {
    const button = made[i];
    const name = `call ${c.state}` + (c.current ? " current" : "") + (c.folded ? " folded" : "");
    if (button.className !== name)
      button.className = name;
    if (button.textContent !== c.text)
      button.textContent = c.text;
    if (c.current)
      button.setAttribute("aria-current", "step");
    else
      button.removeAttribute("aria-current");
  });
  if (!same)
    $("tree").replaceChildren(...made);
  const current = $("tree").querySelector(".current");
  if (current) { // within the panel, the page left where it is
    const panel = $("tree"), top = current.offsetTop - panel.offsetTop;
    if (top < panel.scrollTop || top + current.offsetHeight > panel.scrollTop + panel.clientHeight)
      panel.scrollTop = top - panel.clientHeight / 3;
  }
  if (JSON.stringify(levels) === tree.levels)
    return;
  tree.levels = JSON.stringify(levels);
  $("levels").replaceChildren(...levels.map(([line], i) => {
    const row = document.createElement("tr");
    row.append(...line.split(" ").map(cell => Object.assign(document.createElement(i ? "td" : "th"),
                                                              {textContent: cell})));
    return row;
  }));
}
