// The recursion beside the steps: the calls as a tree (the C++ folds it and marks the current call)
// and the set's levels; a call chosen goes to its first step.
const tree = {
  shown: "",  // the C++'s last text of the tree, redrawn only when it changes
};

function showTree() {
  const text = page.text("pageTree");
  if (text === tree.shown)
    return;
  tree.shown = text;
  const {calls, levels} = JSON.parse(text);
  $("tree-box").hidden = calls.length === 0;
  $("tree").replaceChildren(...calls.map(c => {
    const button = document.createElement("button");
    button.className = `call ${c.state}` + (c.current ? " current" : "") + (c.folded ? " folded" : "");
    button.style.marginLeft = (c.depth - 1) * 1.2 + "em";
    button.textContent = c.text;
    if (c.current)
      button.setAttribute("aria-current", "step");
    button.onclick = () => {
      page.call("pageTreeJump", null, c.call);
      showStep();
      const current = $("tree").querySelector(".current");
      if (current)
        current.focus();
    };
    return button;
  }));
  const current = $("tree").querySelector(".current");
  if (current) { // within the panel, the page left where it is
    const panel = $("tree"), top = current.offsetTop - panel.offsetTop;
    if (top < panel.scrollTop || top + current.offsetHeight > panel.scrollTop + panel.clientHeight)
      panel.scrollTop = top - panel.clientHeight / 3;
  }
  $("levels").replaceChildren(...levels.map(([line], i) => {
    const row = document.createElement("tr");
    row.append(...line.split(" ").map(cell => Object.assign(document.createElement(i ? "td" : "th"),
                                                              {textContent: cell})));
    return row;
  }));
}
