// The cost against all pairs: counted by the C++ for the kind and dimension chosen, drawn as a
// log-log chart and a table, in the language of the page's labels. The counting holds the page for
// a second or more: the note is drawn first.
const costChart = {
  table: "",  // the cost table drawn, drawn again in another language
};

function countCost() {
  const parameters = {set: $("set").value, dim: $("dim").value, count: $("cost-most").value.trim()};
  if ($("seed").value.trim())
    parameters.seed = $("seed").value.trim();
  $("cost-run").disabled = true;
  $("cost-note").textContent = page.text("pageCounting", parameters.set, parameters.dim);
  requestAnimationFrame(() => setTimeout(() => {
    const started = performance.now();
    page.parameters(parameters);
    const table = page.text("pageCost");
    const seconds = (performance.now() - started) / 1000;
    const seed = page.number("pageCostSeed");
    $("cost-run").disabled = false;
    if (seed < 0) {
      $("cost-note").textContent = table;
      return;
    }
    $("cost-note").textContent = page.text("pageCounted", seconds, parameters.set, parameters.dim, seed);
    drawCost(table);
  }, 0));
}
$("cost-run").onclick = countCost;

const svgNS = "http://www.w3.org/2000/svg";
function svg(name, attributes, text) {
  const e = document.createElementNS(svgNS, name);
  for (const [k, v] of Object.entries(attributes))
    e.setAttribute(k, v);
  if (text !== undefined)
    e.textContent = text;
  return e;
}

// The column of the table whose name matches, by the header's names.
function column(header, pattern) {
  const i = header.findIndex(name => pattern.test(name));
  if (i < 0)
    throw new Error("the cost table has no column " + pattern);
  return i;
}

// The cost table (a header line, then whitespace-separated columns) as a log-log chart of both
// curves against the records, and as a table.
function drawCost(text) {
  costChart.table = text;
  const words = controls.labels;
  const lines = text.trim().split("\n").map(line => line.trim().split(/\s+/));
  const header = lines[0], rows = lines.slice(1);
  const n = column(header, /^(n|records)$/i), computed = column(header, /^(distances|computed)/i),
        pairs = column(header, /pairs/i), moved = column(header, /^moved$/), reference = column(header, /^nlog2n$/);
  // The distances grow like n, the records the y-splits move like n log n: the reference dashed.
  const curves = [
    {name: words["chart-distances"], column: computed, dash: "", mark: "circle", colour: "#1b5fb0"},
    {name: words["chart-moved"], column: moved, dash: "", mark: "diamond", colour: "#6a2a9a"},
    {name: words["chart-reference"], column: reference, dash: "3 4", mark: "none", colour: "#555"},
    {name: words["chart-pairs"], column: pairs, dash: "6 4", mark: "square", colour: "#b03a1b"},
  ];
  const xs = rows.map(r => Number(r[n]));
  const ys = rows.flatMap(r => curves.map(c => Number(r[c.column]))).filter(y => y > 0);
  const width = 640, height = 420, left = 70, right = 20, top = 20, bottom = 50;
  const lx = Math.log2(Math.min(...xs)), hx = Math.log2(Math.max(...xs));
  const ly = Math.floor(Math.log10(Math.min(...ys))), hy = Math.ceil(Math.log10(Math.max(...ys)));
  const x = v => left + (Math.log2(v) - lx) / Math.max(hx - lx, 1) * (width - left - right);
  const y = v => height - bottom - (Math.log10(v) - ly) / Math.max(hy - ly, 1) * (height - top - bottom);
  const chart = svg("svg", {viewBox: `0 0 ${width} ${height}`, role: "img", "aria-label": words["chart-name"]});
  chart.append(svg("rect", {x: left, y: top, width: width - left - right, height: height - top - bottom,
                            fill: "none", stroke: "#888"}));
  // Ticks: x at the powers of 2 counted, labelled so that at most 7 labels fit; y at powers of 10.
  const every = Math.max(1, Math.ceil((hx - lx + 1) / 7));
  for (let e = Math.ceil(lx); e <= hx; ++e) {
    const at = x(2 ** e), labelled = (e - Math.ceil(lx)) % every === 0;
    chart.append(svg("line", {x1: at, x2: at, y1: height - bottom, y2: height - bottom + (labelled ? 6 : 3),
                              stroke: "#444"}));
    if (labelled)
      chart.append(svg("text", {x: at, y: height - bottom + 18, "text-anchor": "middle"},
                       (2 ** e).toLocaleString("en")));
  }
  for (let e = ly; e <= hy; ++e) {
    const at = y(10 ** e);
    chart.append(svg("line", {x1: left - 6, x2: width - right, y1: at, y2: at, stroke: "#ddd"}));
    const label = svg("text", {x: left - 9, y: at + 4, "text-anchor": "end"}, "10");
    label.append(svg("tspan", {dy: -6, "font-size": "9px"}, String(e)));
    chart.append(label);
  }
  chart.append(svg("text", {x: (left + width - right) / 2, y: height - 10, "text-anchor": "middle"},
                   words["chart-x"]));
  chart.append(svg("text", {x: 14, y: (top + height - bottom) / 2, "text-anchor": "middle",
                            transform: `rotate(-90 14 ${(top + height - bottom) / 2})`}, words["chart-y"]));
  curves.forEach((c, i) => {
    const points = rows.map(r => [Number(r[n]), Number(r[c.column])]).filter(([, v]) => v > 0);
    chart.append(svg("polyline", {points: points.map(([a, b]) => `${x(a)},${y(b)}`).join(" "), fill: "none",
                                  stroke: c.colour, "stroke-width": 2, "stroke-dasharray": c.dash}));
    const mark = (a, b) => c.mark === "circle" ? svg("circle", {cx: a, cy: b, r: 3.5, fill: c.colour})
                           : c.mark === "diamond" ? svg("polygon", {points: `${a},${b - 4.5} ${a + 4.5},${b} ${a},${b + 4.5} ${a - 4.5},${b}`,
                                                                   fill: c.colour})
                           : svg("rect", {x: a - 3.5, y: b - 3.5, width: 7, height: 7, fill: "#fff",
                                          stroke: c.mark === "none" ? "none" : c.colour, "stroke-width": 1.5});
    for (const [a, b] of points)
      if (c.mark !== "none")
        chart.append(mark(x(a), y(b)));
    // The legend, top left inside the plot.
    const ly0 = top + 16 + i * 20;
    chart.append(svg("line", {x1: left + 12, x2: left + 42, y1: ly0, y2: ly0, stroke: c.colour, "stroke-width": 2,
                              "stroke-dasharray": c.dash}));
    chart.append(mark(left + 27, ly0));
    chart.append(svg("text", {x: left + 50, y: ly0 + 4}, c.name));
  });
  const table = document.createElement("table");
  const row = (cells, tag) => {
    const tr = document.createElement("tr");
    tr.append(...cells.map(cell => Object.assign(document.createElement(tag), {textContent: cell})));
    return tr;
  };
  const head = document.createElement("thead"), body = document.createElement("tbody");
  head.append(row(header, "th"));
  body.append(...rows.map(r => row(r, "td")));
  table.append(head, body);
  const scroller = document.createElement("div");
  scroller.id = "cost-table";
  for (const [name, value] of [["tabindex", "0"], ["role", "region"], ["aria-label", words["cost-table-name"]]])
    scroller.setAttribute(name, value); // scrolled by keys too
  scroller.append(table);
  $("cost").replaceChildren(chart, scroller);
}
