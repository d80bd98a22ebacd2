// The recursion beside the steps: the calls as a tree (the C++ folds it and marks the current call)
// and the set's levels; a call chosen goes to its first step. A step changes the panel only where
// the C++ says the tree changed, and then only the buttons of the calls that come, go or change.
const tree = {
  key: "",        // the C++'s key of the tree shown, which a step within a call keeps
  current: null,  // the current call's button, kept in sight within the panel
};

// A call's button, indented by its depth: it goes to the call's first step.
function callButton(c) {
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
}

function showTree() {
  const shown = page.json("pageTree", tree.key);
  if (shown.key === tree.key)
    return;
  tree.key = shown.key;
  $("tree-box").hidden = shown.calls.length === 0;
  // The buttons in the order calls begin: those of calls no longer shown go, new ones come between,
  // and those the C++ names by their number alone stay as they are.
  const panel = $("tree");
  let next = panel.firstElementChild;
  for (const c of shown.calls) {
    const number = typeof c === "number" ? c : c.call;
    while (next && next.call < number) {
      const gone = next;
      next = next.nextElementSibling;
      gone.remove();
    }
    const kept = next && next.call === number;
    if (!kept && c === number) { // not shown here after all: the whole tree again
      tree.key = "";
      return showTree();
    }
    const button = kept ? next : panel.insertBefore(callButton(c), next);
    if (kept)
      next = next.nextElementSibling;
    if (c === number)
      continue;
    const name = `call ${c.state}` + (c.current ? " current" : "") + (c.folded ? " folded" : "");
    if (button.className !== name)
      button.className = name;
    if (!button.firstChild)
      button.textContent = c.text;
    else if (button.firstChild.data !== c.text)
      button.firstChild.data = c.text; // the text node kept: a lighter change than a new one
    if (c.current !== button.hasAttribute("aria-current"))
      c.current ? button.setAttribute("aria-current", "step") : button.removeAttribute("aria-current");
  }
  while (next) {
    const gone = next;
    next = next.nextElementSibling;
    gone.remove();
  }
  // A new current call within the panel, the page left where it is: measured with the next frame,
  // which lays the page out anyway, rather than laying it out once more now.
  const current = panel.querySelector(".current");
  if (current && current !== tree.current)
    requestAnimationFrame(() => {
      if (!current.isConnected)
        return;
      const top = current.offsetTop - panel.offsetTop;
      if (top < panel.scrollTop || top + current.offsetHeight > panel.scrollTop + panel.clientHeight)
        panel.scrollTop = top - panel.clientHeight / 3;
    });
  tree.current = current;
  if (shown.levels)
    $("levels").replaceChildren(...shown.levels.map(([line], i) => {
      const row = document.createElement("tr");
      row.append(...line.split(" ").map(cell => Object.assign(document.createElement(i ? "td" : "th"),
                                                                {textContent: cell})));
      return row;
    }));
}
