// The page of `scenc view`: draws the scenario's JSON (in #scenario-data)
// as a track plan and a profile along the line, linked by one cursor, and
// lists its diagnostics. Only what is in view is drawn.
"use strict";

const SVG_NS = "http://www.w3.org/2000/svg";

function el(name, attrs, text) {
  const e = document.createElementNS(SVG_NS, name);
  for (const k in attrs) e.setAttribute(k, attrs[k]);
  if (text !== undefined) e.textContent = text;
  return e;
}

function html(name, attrs, text) {
  const e = document.createElement(name);
  for (const k in attrs) e.setAttribute(k, attrs[k]);
  if (text !== undefined) e.textContent = text;
  return e;
}

// A position is metres along the line ("38700 m"); "km" is always the
// kilometric progressive ("km 111.600"), never a position over 1000.
function kmText(p) {
  const t = (p / 1000).toFixed(3);
  return "km " + (t === "-0.000" ? "0.000" : t);
}
function metres(m) { return Math.round(m) + " m"; }
// "38700 m (km 111.600)", or "38700 m" on a line without a reference.
function where(m) { return metres(m) + (S.data.progressive ? " (" + kmText(S.km(m)) + ")" : ""); }
// Axis figures: metres grouped by thousands ("150 000"), progressive km.
function grouped(m) { return String(Math.round(m)).replace(/\B(?=(\d{3})+(?!\d))/g, " "); }

function clock(s) {
  const two = (n) => String(n).padStart(2, "0");
  return two(Math.floor(s / 3600)) + ":" + two(Math.floor(s / 60) % 60) + ":" + two(s % 60);
}

// Text widths as the page's type sets them, for laying labels out.
const MEASURE = document.createElement("canvas").getContext("2d");
function textWidth(text, font) {
  MEASURE.font = font + " system-ui, \"DejaVu Sans\", sans-serif";
  return MEASURE.measureText(text).width;
}

// Rectangles already taken by labels and marks.
class Boxes {
  constructor() { this.list = []; }
  add(x, y, w, h) { this.list.push([x, y, w, h]); }
  free(x, y, w, h) {
    return !this.list.some(([a, b, c, d]) => x < a + c && a < x + w && y < b + d && b < y + h);
  }
}

// Stations in the order their names are placed: the selected one, then
// those with a stop, the longest first, then those with a scheduled time,
// then the line's first and last, then the others along the line.
function byPriority(items) {
  const first = S.data.stations[0], last = S.data.stations[S.data.stations.length - 1];
  const rank = (s) => (S.selected && S.selected.item === s ? 0 : s.stop > 0 ? 1 : s.time > 0 ? 2 : s === first || s === last ? 3 : 4);
  return items.map((d, i) => ({ d, i })).sort((p, q) => rank(p.d.s) - rank(q.d.s) || (q.d.s.stop - p.d.s.stop) || p.i - q.i).map((x) => x.d);
}

function fieldOf(o, name) {
  for (const f of o.fields) if (f[0] === name) return f[1];
  return undefined;
}

// Signals are told apart by their left and right groups' kinds.
const SIGNAL_COLOURS = ["#c62828", "#2e7d32", "#1565c0", "#6a1b9a", "#ef6c00", "#00838f", "#5d4037", "#ad1457", "#455a64"];
function signalKind(o) { return "sx " + fieldOf(o, "sx") + " · dx " + fieldOf(o, "dx"); }

const KIND = { signal: 1, slowEnd: 2, slowStart: 3, slowWarn: 4, board: 6, stop: 10, code: 12, codeNone: 13, text: 14 };

// ---------------------------------------------------------------- state
const S = {
  data: null,
  view: { from: 0, to: 1 },          // profile: metres along the line
  plan: { cx: 0, cy: 0, scale: 1 },  // plan: centre (m) and pixels per metre
  cursor: null,                      // metres along the line under the pointer
  selected: null,                    // { type, item }
  signalKinds: new Map(),
  diagPlaces: [],
  lastPlan: null,
  planChunks: [],
};

// ---------------------------------------------------------------- loading
function load(data, keepView) {
  S.data = data;
  document.getElementById("title").textContent = data.route + " · " + data.train + (data.compiled ? " (compiled files)" : "");
  document.title = data.route + " " + data.train + " · scenc view";
  S.signalKinds = new Map();
  for (const o of data.objects)
    if (o.kind === KIND.signal) {
      const k = signalKind(o);
      if (!S.signalKinds.has(k)) S.signalKinds.set(k, SIGNAL_COLOURS[S.signalKinds.size % SIGNAL_COLOURS.length]);
    }
  // Compiled files hold no mark of the code track's own points.
  const note = document.getElementById("profile-note");
  note.textContent = data.compiled ? "· automatic and written code points cannot be told apart in compiled files (auto?)" : "";
  note.title = data.compiled ? "a code point of 180 where the code track may put one is marked auto?: it may have been added by the code track or written in the source" : "";
  prepareKm();
  preparePlan();
  S.diagPlaces = data.diagnostics.map(placeOfDiagnostic);
  const names = document.getElementById("station-names");
  names.textContent = "";
  for (const s of data.stations) names.appendChild(html("option", { value: s.name }));
  listStations();
  listDiagnostics();
  if (!keepView) fit();
  if (S.selected) S.selected = null;
  draw();
}

function lineLength() { return S.data.length > 0 ? S.data.length : 1000; }

// The kilometric progressive: each reference holds from its position to
// the next one's, falling a metre for each metre of position; before the
// first it is counted back from it.
function refAt(m) {
  const refs = S.data.progressive;
  let r = refs[0];
  for (const c of refs) if (c.at <= m) r = c;
  return r;
}
function prepareKm() {
  const refs = S.data.progressive;
  S.km = refs ? (m) => { const r = refAt(m); return r.km_m - (m - r.at); } : (m) => m;
  // The stretches of positions each reference holds, for the axis and the search.
  S.kmStretches = refs ? refs.map((r, i) => ({ r, from: i === 0 ? -Infinity : r.at, to: i + 1 < refs.length ? refs[i + 1].at : Infinity })) : [];
}
// The positions where the progressive is `k` metres.
function positionsOfKm(k) {
  return S.kmStretches.map((s) => s.r.at + (s.r.km_m - k)).filter((m, i) => m >= S.kmStretches[i].from && m < S.kmStretches[i].to);
}

// The plan in chunks with their bounds, so that only chunks in view are drawn.
function preparePlan() {
  S.planChunks = [];
  const plan = S.data.plan;
  if (!plan || plan.x.length < 2) return;
  const n = plan.x.length, size = 256;
  for (let a = 0; a < n - 1; a += size) {
    const b = Math.min(n - 1, a + size);
    let x0 = Infinity, x1 = -Infinity, y0 = Infinity, y1 = -Infinity;
    for (let i = a; i <= b; i++) {
      x0 = Math.min(x0, plan.x[i]); x1 = Math.max(x1, plan.x[i]);
      y0 = Math.min(y0, plan.y[i]); y1 = Math.max(y1, plan.y[i]);
    }
    S.planChunks.push({ a, b, x0, x1, y0, y1 });
  }
}

function planPoint(m) {
  const plan = S.data.plan;
  if (!plan || plan.x.length === 0) return null;
  const f = Math.max(0, Math.min(plan.x.length - 1, m / plan.step));
  const i = Math.floor(f), j = Math.min(plan.x.length - 1, i + 1), t = f - i;
  return { x: plan.x[i] + (plan.x[j] - plan.x[i]) * t, y: plan.y[i] + (plan.y[j] - plan.y[i]) * t };
}

// Where a diagnostic lies along the line: the object its line placed, or
// the position its line gives as first value.
function placeOfDiagnostic(d) {
  if (!d.line) return null;
  for (const o of S.data.objects) if (o.src && o.src.line === d.line && o.src.file === d.file) return o.at;
  for (const s of S.data.stations) if (s.src && s.src.line === d.line && s.src.file === d.file) return s.at;
  if (d.text) {
    const parts = d.text.split(",");
    if (parts.length > 1 && keywordOf(parts[0])) {
      const v = Number(parts[1].trim());
      if (Number.isFinite(v) && v >= 0 && v <= lineLength() + 7000) return v;
    }
  }
  return null;
}

function keywordOf(first) {
  const w = first.trim().toLowerCase();
  if (!w) return null;
  for (const k of S.data.keywords) if (k.word === w) return k;
  for (const k of S.data.keywords)
    if (w.includes(k.look[0]) && (!k.look[1] || w.includes(k.look[1]))) return k;
  return null;
}

// ---------------------------------------------------------------- views
function fit() {
  S.view = { from: 0, to: lineLength() };
  fitPlan();
}

function fitPlan() {
  const box = document.getElementById("plan").getBoundingClientRect();
  if (S.planChunks.length === 0 || box.width === 0) { S.plan = { cx: 0, cy: 0, scale: 1 }; return; }
  let x0 = Infinity, x1 = -Infinity, y0 = Infinity, y1 = -Infinity;
  for (const c of S.planChunks) { x0 = Math.min(x0, c.x0); x1 = Math.max(x1, c.x1); y0 = Math.min(y0, c.y0); y1 = Math.max(y1, c.y1); }
  const w = Math.max(x1 - x0, 1), h = Math.max(y1 - y0, 1);
  S.plan = { cx: (x0 + x1) / 2, cy: (y0 + y1) / 2, scale: 0.9 * Math.min(box.width / w, box.height / h) };
}

function setView(from, to) {
  const L = lineLength();
  let span = Math.max(100, Math.min(to - from, L * 1.2 + 1000));
  let a = from, b = from + span;
  if (a < -L * 0.1 - 500) { a = -L * 0.1 - 500; b = a + span; }
  if (b > L * 1.1 + 7000) { b = L * 1.1 + 7000; a = b - span; }
  S.view = { from: a, to: b };
}

function centreOn(m, span) {
  const s = span || Math.min(S.view.to - S.view.from, 5000);
  setView(m - s / 2, m + s / 2);
  const p = planPoint(m);
  if (p) {
    S.plan.cx = p.x; S.plan.cy = p.y;
    const box = document.getElementById("plan").getBoundingClientRect();
    S.plan.scale = Math.max(S.plan.scale, box.width / (s * 1.5));
  }
}

let pending = false;
function draw() {
  if (pending) return;
  pending = true;
  requestAnimationFrame(() => { pending = false; drawNow(); });
}

function drawNow() {
  drawPlan();
  drawProfile();
  showRange();
  // When the first picture stood, in ms from the page's start (bench/).
  if (S.firstPicture === undefined) S.firstPicture = performance.now();
}

function showRange() {
  const v = S.view;
  const k = S.data.progressive ? "  ·  " + kmText(S.km(v.from)) + " – " + kmText(S.km(v.to)) : "";
  document.getElementById("range").textContent = "view " + metres(v.from) + " – " + metres(v.to) + k;
}

// An SVG emptied and sized to the box it is shown in: its width and height.
function clearSvg(svg) {
  const box = svg.getBoundingClientRect();
  const W = box.width, H = box.height;
  svg.textContent = "";
  svg.setAttribute("viewBox", "0 0 " + W + " " + H);
  return { W, H };
}

// ---------------------------------------------------------------- the plan
function drawPlan() {
  const svg = document.getElementById("plan");
  const { W, H } = clearSvg(svg);
  const plan = S.data.plan;
  if (!plan || plan.x.length < 2) {
    svg.appendChild(el("text", { x: 10, y: 20 }, "no track plan"));
    return;
  }
  const P = S.plan;
  const X = (x) => W / 2 + (x - P.cx) * P.scale;
  const Y = (y) => H / 2 - (y - P.cy) * P.scale;
  const mx0 = P.cx - W / 2 / P.scale, mx1 = P.cx + W / 2 / P.scale;
  const my0 = P.cy - H / 2 / P.scale, my1 = P.cy + H / 2 / P.scale;
  // Level of detail: about one point every two pixels.
  const stride = Math.max(1, Math.floor(2 / (plan.step * P.scale)));
  const fromI = Math.floor(Math.max(0, S.view.from) / plan.step), toI = Math.ceil(Math.max(0, S.view.to) / plan.step);
  const base = [], hi = [];
  for (const c of S.planChunks) {
    if (c.x1 < mx0 || c.x0 > mx1 || c.y1 < my0 || c.y0 > my1) continue;
    const pts = [], ptsHi = [];
    for (let i = c.a; i <= c.b; i += stride) {
      pts.push(X(plan.x[i]).toFixed(1) + "," + Y(plan.y[i]).toFixed(1));
      if (i >= fromI && i <= toI) ptsHi.push(X(plan.x[i]).toFixed(1) + "," + Y(plan.y[i]).toFixed(1));
    }
    const end = X(plan.x[c.b]).toFixed(1) + "," + Y(plan.y[c.b]).toFixed(1);
    pts.push(end);
    if (c.b >= fromI && c.b <= toI && (c.b - c.a) % stride !== 0) ptsHi.push(end);
    base.push(pts.join(" "));
    if (ptsHi.length > 1) hi.push(ptsHi.join(" "));
  }
  for (const p of base) svg.appendChild(el("polyline", { points: p, fill: "none", stroke: "#9aa5b1", "stroke-width": 2 }));
  for (const p of hi) svg.appendChild(el("polyline", { points: p, fill: "none", stroke: "#1565c0", "stroke-width": 3 }));
  const inView = (p) => p && p.x >= mx0 && p.x <= mx1 && p.y >= my0 && p.y <= my1;
  // The start and the end of the line.
  for (const [m, label] of [[0, "start"], [lineLength(), "line end"]]) {
    const p = planPoint(m);
    if (!inView(p)) continue;
    svg.appendChild(el("rect", { x: X(p.x) - 4, y: Y(p.y) - 4, width: 8, height: 8, fill: "#1d232a" }));
    svg.appendChild(el("text", { x: X(p.x) + 7, y: Y(p.y) + 12, class: "small" }, label));
  }
  // Signals when there is room for them, stations always.
  const metresPerPixel = 1 / P.scale;
  if (metresPerPixel < 60) {
    for (const o of S.data.objects) {
      if (o.kind !== KIND.signal) continue;
      const p = planPoint(o.at);
      if (!inView(p)) continue;
      const c = el("circle", { cx: X(p.x), cy: Y(p.y), r: 4, fill: S.signalKinds.get(signalKind(o)), "data-cell": o.cell });
      c.addEventListener("click", (e) => { e.stopPropagation(); select("object", o); });
      svg.appendChild(c);
    }
  }
  // Stations: every dot, then the names by priority, each in the first
  // place around its dot that covers no dot nor name already there; a name
  // that finds none is left out until the view is zoomed in.
  const dots = [];
  for (const s of S.data.stations) {
    const p = planPoint(s.at);
    if (!inView(p)) continue;
    const x = X(p.x), y = Y(p.y);
    const c = el("circle", { cx: x, cy: y, r: 5, fill: "#fff", stroke: "#1d232a", "stroke-width": 2 });
    c.addEventListener("click", (e) => { e.stopPropagation(); select("station", s); });
    svg.appendChild(c);
    dots.push({ s, x, y });
  }
  const taken = new Boxes();
  for (const d of dots) taken.add(d.x - 6, d.y - 6, 12, 12);
  for (const [m, label] of [[0, "start"], [lineLength(), "line end"]]) {
    const p = planPoint(m);
    if (inView(p)) taken.add(X(p.x) + 6, Y(p.y) + 2, textWidth(label, "10px") + 2, 12);
  }
  for (const d of byPriority(dots)) {
    const w = textWidth(d.s.name, "600 11px"), h = 11;
    const places = [[8, -6], [8, 15], [-8 - w, -6], [-8 - w, 15], [-w / 2, -10], [-w / 2, 19]];
    for (const [dx, dy] of places) {
      const box = [d.x + dx - 1, d.y + dy - h + 1, w + 2, h + 2];
      if (!taken.free(...box)) continue;
      taken.add(...box);
      const t = el("text", { x: d.x + dx, y: d.y + dy, class: "station" }, d.s.name);
      t.addEventListener("click", (e) => { e.stopPropagation(); select("station", d.s); });
      svg.appendChild(t);
      break;
    }
  }
  // Diagnostics at their places.
  S.data.diagnostics.forEach((d, i) => {
    const m = S.diagPlaces[i];
    if (m === null) return;
    const p = planPoint(m);
    if (!inView(p)) return;
    svg.appendChild(el("path", { d: diamond(X(p.x), Y(p.y), 7), fill: d.level === "error" ? "#c62828" : "#b26a00" }));
  });
  // The cursor and the selection.
  for (const [m, colour] of [[S.cursor, "#ff6f00"], [S.selected ? S.selected.item.at : null, "#000"]]) {
    if (m === null || m === undefined) continue;
    const p = planPoint(m);
    if (!p) continue;
    svg.appendChild(el("circle", { cx: X(p.x), cy: Y(p.y), r: 8, fill: "none", stroke: colour, "stroke-width": 2 }));
  }
  drawScaleBar(svg, W, H, P.scale);
  S.lastPlan = { W, H, X, Y };
}

function diamond(x, y, r) { return "M" + x + " " + (y - r) + "L" + (x + r) + " " + y + "L" + x + " " + (y + r) + "L" + (x - r) + " " + y + "Z"; }

function niceStep(raw) {
  const p = Math.pow(10, Math.floor(Math.log10(raw)));
  for (const k of [1, 2, 5, 10]) if (k * p >= raw) return k * p;
  return 10 * p;
}

function drawScaleBar(svg, W, H, scale) {
  const m = niceStep(100 / scale);
  const w = m * scale;
  svg.appendChild(el("line", { x1: 10, y1: H - 12, x2: 10 + w, y2: H - 12, stroke: "#1d232a", "stroke-width": 2 }));
  svg.appendChild(el("text", { x: 10, y: H - 16, class: "small" }, m >= 1000 ? m / 1000 + " km" : m + " m"));
  svg.appendChild(el("text", { x: W - 24, y: 18, class: "small" }, "N ↑"));
}

// ---------------------------------------------------------------- the profile
const LANES = [
  { key: "stations", title: "stations", h: 44 },
  { key: "signals", title: "signals", h: 30 },
  { key: "boards", title: "boards", h: 30 },
  { key: "codes", title: "code points", h: 30 },
  { key: "speed", title: "speed km/h", h: 0.45 },
  { key: "gradient", title: "gradient ‰", h: 0.3 },
  { key: "adhesion", title: "adhesion · mountain", h: 24 },
];
const LEFT = 132, RIGHT = 12, AXIS = 34;

function layoutProfile(H) {
  let fixed = 0, share = 0;
  for (const l of LANES) { if (l.h >= 1) fixed += l.h; else share += l.h; }
  const free = Math.max(60, H - AXIS - 6 - fixed);
  let y = 4;
  const out = {};
  for (const l of LANES) {
    const h = l.h >= 1 ? l.h : Math.round(free * l.h / share);
    out[l.key] = { y, h, title: l.title };
    y += h;
  }
  out.axis = { y, h: AXIS };
  return out;
}

function drawProfile() {
  const svg = document.getElementById("profile");
  const { W, H } = clearSvg(svg);
  const v = S.view;
  const pw = Math.max(10, W - LEFT - RIGHT);
  const X = (m) => LEFT + (m - v.from) / (v.to - v.from) * pw;
  const M = (x) => v.from + (x - LEFT) / pw * (v.to - v.from);
  const lay = layoutProfile(H);
  S.lastProfile = { X, M, lay, W, H };
  const vis = (a, b) => b >= v.from && a <= v.to;
  const g = (cls) => { const e = el("g", cls ? { class: cls } : {}); svg.appendChild(e); return e; };
  // Lanes: background bands and titles.
  const bands = g();
  let odd = false;
  for (const l of LANES) {
    const r = lay[l.key];
    if (odd) bands.appendChild(el("rect", { x: 0, y: r.y, width: W, height: r.h, fill: "#f7f9fb" }));
    odd = !odd;
    bands.appendChild(el("text", { x: 6, y: r.y + 13, class: "lane" }, r.title));
  }
  const clip = el("clipPath", { id: "plot-area" });
  clip.appendChild(el("rect", { x: LEFT, y: 0, width: pw, height: H }));
  const defs = el("defs");
  defs.appendChild(clip);
  const hatch = el("pattern", { id: "hatch", width: 6, height: 6, patternUnits: "userSpaceOnUse", patternTransform: "rotate(45)" });
  hatch.appendChild(el("rect", { width: 3, height: 6, fill: "#e53935", "fill-opacity": 0.45 }));
  defs.appendChild(hatch);
  svg.appendChild(defs);
  const area = el("g", { "clip-path": "url(#plot-area)" });
  svg.appendChild(area);
  const pxPerM = pw / (v.to - v.from);

  drawStations(area, lay.stations, X, vis, pxPerM, W);
  drawObjectLanes(area, lay, X, vis, pxPerM);
  drawSpeed(area, lay.speed, X, vis);
  drawStepChart(area, lay.gradient, X, vis, S.data.gradient, "#6d4c41", true);
  drawAdhesion(area, lay.adhesion, X, vis);
  drawAxis(svg, lay.axis, X, W, pxPerM);
  // The line's end.
  const L = lineLength();
  if (vis(L, L)) {
    area.appendChild(el("line", { x1: X(L), y1: 0, x2: X(L), y2: lay.axis.y, stroke: "#1d232a", "stroke-width": 2, "stroke-dasharray": "6 3" }));
    area.appendChild(el("text", { x: X(L) - 4, y: lay.speed.y + 12, "text-anchor": "end" }, "line end " + where(L)));
  }
  // Diagnostics at their places.
  S.data.diagnostics.forEach((d, i) => {
    const m = S.diagPlaces[i];
    if (m === null || !vis(m, m)) return;
    const t = el("path", { d: diamond(X(m), lay.stations.y + 6, 6), fill: d.level === "error" ? "#c62828" : "#b26a00", class: "diag-mark" });
    t.appendChild(el("title", {}, d.level + ": " + d.message));
    t.addEventListener("click", (e) => { e.stopPropagation(); selectDiagnostic(i); });
    area.appendChild(t);
    area.appendChild(el("line", { x1: X(m), y1: lay.stations.y, x2: X(m), y2: lay.axis.y, stroke: d.level === "error" ? "#c62828" : "#b26a00", "stroke-opacity": 0.5, "stroke-dasharray": "2 3" }));
  });
  // Cursor and selection.
  if (S.selected && S.selected.item.at !== undefined && vis(S.selected.item.at, S.selected.item.at)) {
    const x = X(S.selected.item.at);
    area.appendChild(el("line", { x1: x, y1: 0, x2: x, y2: lay.axis.y, stroke: "#000", "stroke-width": 1.5 }));
  }
  if (S.cursor !== null) {
    const x = X(S.cursor);
    area.appendChild(el("line", { x1: x, y1: 0, x2: x, y2: lay.axis.y, stroke: "#ff6f00" }));
    const label = where(S.cursor);
    const right = x + 130 > W;
    area.appendChild(el("text", { x: right ? x - 4 : x + 4, y: lay.axis.y - 4, "text-anchor": right ? "end" : "start", class: "small" }, label));
  }
  drawLegend(svg, lay);
}

function hit(node, type, item) {
  node.style.cursor = "pointer";
  node.addEventListener("click", (e) => { e.stopPropagation(); select(type, item); });
  return node;
}

function drawStations(area, r, X, vis, pxPerM, W) {
  const shown = [];
  for (const s of S.data.stations) {
    if (!vis(Math.min(s.from, s.at), Math.max(s.to, s.at))) continue;
    const a = X(s.from), b = X(s.to);
    area.appendChild(hit(el("rect", { x: a, y: r.y + 14, width: Math.max(2, b - a), height: 10, fill: "#90caf9", stroke: "#1565c0" }), "station", s));
    const x = X(s.at);
    area.appendChild(hit(el("line", { x1: x, y1: r.y + 10, x2: x, y2: r.y + 28, stroke: "#0d47a1", "stroke-width": 2 }), "station", s));
    shown.push({ s, x });
  }
  // Names by priority where they cover no other; stop times below them
  // when zoomed in.
  const taken = new Boxes();
  for (const d of byPriority(shown)) {
    const s = d.s;
    const w = textWidth(s.name, "600 11px") + 8;
    const lx = Math.min(Math.max(d.x, LEFT + w / 2), W - RIGHT - w / 2 + 4);
    if (!taken.free(lx - w / 2, 0, w, 1)) continue;
    taken.add(lx - w / 2, 0, w, 1);
    area.appendChild(hit(el("text", { x: lx, y: r.y + 11, "text-anchor": "middle", class: "station" }, s.name), "station", s));
    const stop = s.stop ? s.stop + " s" : "";
    const time = s.time ? clock(s.time) : "";
    if (pxPerM > 0.02 && (stop || time))
      area.appendChild(el("text", { x: lx, y: r.y + 38, "text-anchor": "middle", class: "small" }, [time, stop ? "stop " + stop : ""].filter(Boolean).join(" · ")));
  }
}

// Where objects stand closer than a few pixels, each is drawn as a thin
// tick: the whole of a long line stays readable and quick to draw.
function drawObjectLanes(area, lay, X, vis, pxPerM) {
  const objs = S.data.objects;
  const lastLabel = { signals: -Infinity, boards: -Infinity, codes: -Infinity };
  const count = { signal: 0, other: 0 };
  for (const o of objs) if (vis(o.at, o.at)) { if (o.kind === KIND.signal) count.signal++; else count.other++; }
  const pw = S.lastProfile.W - LEFT - RIGHT;
  const dense = { signal: count.signal > pw / 6, other: count.other > pw / 4 };
  const ticks = new Map();
  for (const o of objs) {
    if (!vis(o.at, o.at)) continue;
    const x = X(o.at);
    const lane = o.kind === KIND.signal ? lay.signals : o.kind === KIND.board || o.kind === KIND.text ? lay.boards
      : o.kind === KIND.code || o.kind === KIND.codeNone ? lay.codes : null;
    if (lane && (o.kind === KIND.signal ? dense.signal : dense.other)) {
      const colour = o.kind === KIND.signal ? S.signalKinds.get(signalKind(o)) : o.kind === KIND.code && o.auto !== false ? "#b39ddb" : "#6a1b9a";
      const key = lane.y + colour;
      if (!ticks.has(key)) ticks.set(key, { lane, colour, d: [] });
      ticks.get(key).d.push("M" + x.toFixed(1) + " " + (lane.y + 4) + "v16");
      continue;
    }
    if (o.kind === KIND.signal) {
      const r = lay.signals;
      const colour = S.signalKinds.get(signalKind(o));
      area.appendChild(hit(el("line", { x1: x, y1: r.y + 22, x2: x, y2: r.y + 12, stroke: "#1d232a" }), "object", o));
      area.appendChild(hit(el("circle", { cx: x, cy: r.y + 9, r: 4.5, fill: colour, stroke: "#1d232a", "stroke-width": 0.8, class: "signal", "data-cell": o.cell }), "object", o));
    } else if (o.kind === KIND.board || o.kind === KIND.text) {
      const r = lay.boards;
      const label = o.kind === KIND.text ? (o.text || "board") : boardSpeeds(o);
      area.appendChild(hit(el("rect", { x: x - 3, y: r.y + 5, width: 6, height: 10, fill: o.kind === KIND.text ? "#fff59d" : "#ffffff", stroke: "#1d232a" }), "object", o));
      if (x - 4 > lastLabel.boards) {
        area.appendChild(hit(el("text", { x: x + 5, y: r.y + 25, class: "small" }, label), "object", o));
        lastLabel.boards = x + label.length * 5.6 + 8;
      }
    } else if (o.kind === KIND.code || o.kind === KIND.codeNone) {
      const r = lay.codes;
      const auto = o.auto === true, unknown = o.auto === null;
      const code = o.kind === KIND.code ? String(fieldOf(o, "code")) : "none";
      area.appendChild(hit(el("path", { d: "M" + x + " " + (r.y + 4) + "l5 9h-10z", fill: auto || unknown ? "#ffffff" : "#6a1b9a", stroke: "#6a1b9a", "stroke-dasharray": auto ? "2 1" : unknown ? "1 2" : "" }), "object", o));
      if (x - 4 > lastLabel.codes) {
        const label = code + (auto ? " auto" : unknown ? " auto?" : "");
        area.appendChild(hit(el("text", { x: x + 6, y: r.y + 24, class: "small" }, label), "object", o));
        lastLabel.codes = x + label.length * 5.6 + 10;
      }
    }
  }
  for (const t of ticks.values()) area.appendChild(el("path", { d: t.d.join(""), stroke: t.colour, "stroke-width": 1 }));
}

function boardSpeeds(o) {
  const pairs = [["vas", "vad"], ["vbs", "vbd"], ["vcs", "vcd"]];
  return pairs.map(([a, b]) => { const x = fieldOf(o, a), y = fieldOf(o, b); return x === y ? String(x) : x + "|" + y; }).join("/");
}

function chartScale(r, lo, hi) {
  const top = r.y + 16, bottom = r.y + r.h - 6;
  const span = hi - lo || 1;
  return (v) => bottom - (v - lo) / span * (bottom - top);
}

function drawSpeed(area, r, X, vis) {
  const steps = S.data.speed;
  let hi = 10;
  for (const s of steps) hi = Math.max(hi, s[2]);
  hi = niceStep(hi * 1.05);
  const Y = chartScale(r, 0, hi);
  gridLines(area, r, Y, 0, hi, X);
  // Slowdowns: their stretches from start to end cell, with the warning points.
  const objs = S.data.objects;
  const starts = objs.filter((o) => o.kind === KIND.slowStart), ends = objs.filter((o) => o.kind === KIND.slowEnd);
  for (const a of starts) {
    const b = ends.find((e) => e.at > a.at);
    const to = b ? b.at : a.at;
    if (!vis(a.at, to)) continue;
    const v = fieldOf(a, "v");
    const y = Y(v);
    area.appendChild(hit(el("rect", { x: X(a.at), y, width: Math.max(2, X(to) - X(a.at)), height: Math.max(1, Y(0) - y), fill: "url(#hatch)", stroke: "#c62828", class: "slowdown" }), "object", a));
    if (X(to) - X(a.at) > 40) area.appendChild(el("text", { x: X(a.at) + 2, y: y - 3, class: "small" }, "slowdown " + v));
  }
  const warnings = objs.filter((o) => o.kind === KIND.slowWarn && vis(o.at, o.at));
  const pw = S.lastProfile.W - LEFT - RIGHT;
  for (const o of warnings.length > pw / 12 ? [] : warnings) {
    area.appendChild(hit(el("path", { d: "M" + X(o.at) + " " + (r.y + r.h - 4) + "l5 -9h-10z", fill: "#ffca28", stroke: "#c62828" }), "object", o));
  }
  const pts = [];
  for (const s of steps) {
    if (!vis(s[0], s[1])) continue;
    pts.push(X(s[0]).toFixed(1) + "," + Y(s[2]).toFixed(1), X(s[1]).toFixed(1) + "," + Y(s[2]).toFixed(1));
  }
  if (pts.length) area.appendChild(el("polyline", { points: pts.join(" "), fill: "none", stroke: "#1565c0", "stroke-width": 2 }));
  labelSteps(area, steps, X, Y, vis, " km/h");
}

function labelSteps(area, steps, X, Y, vis, unit) {
  let last = -Infinity;
  for (const s of steps) {
    if (!vis(s[0], s[1])) continue;
    const x = Math.max(X(s[0]), LEFT) + 2;
    if (x < last || X(s[1]) - x < 30) continue;
    const label = s[2] + unit;
    area.appendChild(el("text", { x, y: Y(s[2]) - 3, class: "small" }, label));
    last = x + label.length * 5.6 + 6;
  }
}

function gridLines(area, r, Y, lo, hi, X) {
  // Labels at least 14 pixels apart.
  const pixels = Math.max(1, Math.abs(Y(lo) - Y(hi)));
  const step = niceStep(Math.max((hi - lo) / 4, (hi - lo) * 14 / pixels));
  for (let v = Math.ceil(lo / step) * step; v <= hi; v += step) {
    area.appendChild(el("line", { x1: LEFT, x2: 10000, y1: Y(v), y2: Y(v), stroke: "#e3e7eb" }));
    area.parentNode.appendChild(el("text", { x: LEFT - 4, y: Y(v) + 3, "text-anchor": "end", class: "small" }, String(v)));
  }
}

function drawStepChart(area, r, X, vis, steps, colour, zeroLine) {
  let lo = 0, hi = 0;
  for (const s of steps) { lo = Math.min(lo, s[2]); hi = Math.max(hi, s[2]); }
  if (hi - lo < 4) { hi += 2; lo -= 2; }
  const Y = chartScale(r, lo, hi);
  gridLines(area, r, Y, lo, hi, X);
  if (zeroLine) area.appendChild(el("line", { x1: LEFT, x2: 10000, y1: Y(0), y2: Y(0), stroke: "#9aa5b1" }));
  const pts = [];
  for (const s of steps) {
    if (!vis(s[0], s[1])) continue;
    pts.push(X(s[0]).toFixed(1) + "," + Y(s[2]).toFixed(1), X(s[1]).toFixed(1) + "," + Y(s[2]).toFixed(1));
  }
  if (pts.length) area.appendChild(el("polyline", { points: pts.join(" "), fill: "none", stroke: colour, "stroke-width": 1.8 }));
  labelSteps(area, steps, X, Y, vis, " ‰");
}

function drawAdhesion(area, r, X, vis) {
  for (const s of S.data.mountain) {
    if (!vis(s[0], s[1])) continue;
    area.appendChild(el("rect", { x: X(s[0]), y: r.y + 2, width: Math.max(1, X(s[1]) - X(s[0])), height: 8, fill: "#8d6e63", "fill-opacity": 0.6 })).appendChild(el("title", {}, "mountain backdrop " + s[2]));
  }
  let last = -Infinity;
  for (const s of S.data.adhesion) {
    if (!vis(s[0], s[1])) continue;
    const a = Math.max(X(s[0]), LEFT);
    const shade = Math.max(0, Math.min(1, s[2] / 100));
    area.appendChild(el("rect", { x: X(s[0]), y: r.y + 12, width: Math.max(1, X(s[1]) - X(s[0])), height: 8, fill: "rgb(" + Math.round(230 - 120 * shade) + "," + Math.round(200 + 30 * shade) + ",140)" }));
    if (a > last && X(s[1]) - a > 40) {
      area.appendChild(el("text", { x: a + 2, y: r.y + 20, class: "small" }, "adh " + s[2]));
      last = a + 50;
    }
  }
}

function drawAxis(svg, r, X, W, pxPerM) {
  const v = S.view;
  svg.appendChild(el("line", { x1: LEFT, y1: r.y, x2: W - RIGHT, y2: r.y, stroke: "#1d232a" }));
  const step = niceStep(90 / pxPerM);
  for (let m = Math.ceil(v.from / step) * step; m <= v.to; m += step) {
    const x = X(m);
    svg.appendChild(el("line", { x1: x, y1: r.y, x2: x, y2: r.y + 5, stroke: "#1d232a" }));
    svg.appendChild(el("text", { x, y: r.y + 15, "text-anchor": "middle", class: "small" }, grouped(m)));
  }
  svg.appendChild(el("text", { x: 6, y: r.y + 15, class: "lane" }, "m along the line"));
  if (S.data.progressive) {
    // Each reference's stretch in view: the progressive falls along it.
    for (const st of S.kmStretches) {
      const lo = Math.max(v.from, st.from), hi = Math.min(v.to, st.to);
      if (lo > hi) continue;
      const kAt = (m) => st.r.km_m - (m - st.r.at);
      for (let k = Math.floor(kAt(lo) / step) * step; k >= kAt(hi); k -= step) {
        const m = st.r.at + (st.r.km_m - k);
        if (m < lo || m > hi || (m === st.to)) continue;
        const t = step >= 1000 ? String(k / 1000) : (k / 1000).toFixed(3);
        svg.appendChild(el("text", { x: X(m), y: r.y + 29, "text-anchor": "middle", class: "small" }, t));
      }
    }
    svg.appendChild(el("text", { x: 6, y: r.y + 29, class: "lane" }, "km"));
  }
}

function drawLegend(svg, lay) {
  const r = lay.signals;
  let x = 6;
  const y = r.y + 26;
  for (const [k, colour] of S.signalKinds) {
    if (x > LEFT - 20) break;
    svg.appendChild(el("circle", { cx: x + 3, cy: y - 3, r: 3, fill: colour })).appendChild(el("title", {}, k));
    x += 9;
  }
}

// ---------------------------------------------------------------- details
function select(type, item) {
  S.selected = { type, item };
  const d = document.getElementById("details");
  d.textContent = "";
  if (type === "station") showStation(d, item);
  else showObject(d, item);
  draw();
}

function fieldsTable(rows) {
  const t = html("table", { class: "fields" });
  for (const [name, value, unit, meaning] of rows) {
    const tr = html("tr");
    const th = html("th", {}, name);
    if (meaning) th.title = meaning;
    tr.appendChild(th);
    tr.appendChild(html("td", { class: "num" }, String(value)));
    tr.appendChild(html("td", {}, unit || ""));
    t.appendChild(tr);
  }
  return t;
}

function showSource(d, src) {
  if (!src) {
    d.appendChild(html("p", { class: "hint" }, S.data.compiled ? "read from the compiled files: no source line" : "placed by the compile itself: no source line"));
    return;
  }
  d.appendChild(html("p", { class: "where source-line" }, src.file + ":" + src.line));
  d.appendChild(html("pre", { class: "source" }, src.text));
  const parts = src.text.split(",");
  const k = keywordOf(parts[0]);
  if (!k) return;
  d.appendChild(html("h2", {}, "source fields: " + k.word));
  const rows = [];
  for (let i = 1; i < parts.length; i++) {
    const f = k.fields[Math.min(i - 1, k.fields.length - 1)];
    const last = i - 1 >= k.fields.length - 1 && k.fields.length > 0;
    if (last && f && f[0] === "nome") { rows.push([f[0], parts.slice(i).join(",").trim(), f[1], f[2]]); break; }
    rows.push(f ? [f[0], parts[i].trim(), f[1], f[2]] : ["field " + i, parts[i].trim(), "", ""]);
  }
  d.appendChild(fieldsTable(rows));
}

function showObject(d, o) {
  d.appendChild(html("div", { class: "kindname" }, o.kind_name + (o.text ? ": " + o.text : "")));
  const pos = "at " + where(o.at) + ", cell " + o.cell + " (" + o.cell * 50 + "–" + (o.cell * 50 + 50) + " m)";
  d.appendChild(html("p", {}, pos));
  if (o.auto === true) d.appendChild(html("p", {}, "added by the code track around a slowdown"));
  if (o.auto === null) d.appendChild(html("p", {}, "added by the code track or written in the source: compiled files do not tell them apart"));
  if (o.auto === false && S.data.compiled) d.appendChild(html("p", {}, "written in the source: the code track adds no such point here"));
  if (o.kind === KIND.signal) d.appendChild(html("p", {}, "signal kind " + signalKind(o)));
  showSource(d, o.src);
  d.appendChild(html("h2", {}, "cell values"));
  d.appendChild(fieldsTable(o.fields.map((f) => [f[0], f[1], f[2]])));
}

function showStation(d, s) {
  d.appendChild(html("div", { class: "kindname" }, "station: " + s.name));
  d.appendChild(html("p", {}, "at " + where(s.at) + ", zone " + s.from + "–" + s.to + " m, record " + s.record +
    (s.stop_cell !== null ? ", stop mark in cell " + s.stop_cell : "")));
  if (s.time || s.stop) d.appendChild(html("p", {}, (s.time ? "scheduled " + clock(s.time) : "") + (s.stop ? "  stop " + s.stop + " s" : "")));
  showSource(d, s.src);
  d.appendChild(html("h2", {}, "record values"));
  d.appendChild(fieldsTable(s.fields.map((f) => [f[0], f[1], f[2]])));
}

function listStations() {
  const list = document.getElementById("stations");
  list.textContent = "";
  document.getElementById("stations-title").textContent = "Stations (" + S.data.stations.length + ")";
  for (const s of S.data.stations) {
    const li = html("li", { title: where(s.at) }, s.name);
    li.addEventListener("click", () => { centreOn(s.at, 4000); select("station", s); });
    list.appendChild(li);
  }
}

// ---------------------------------------------------------------- diagnostics
function listDiagnostics() {
  const list = document.getElementById("diagnostics");
  list.textContent = "";
  const ds = S.data.diagnostics;
  const errors = ds.filter((d) => d.level === "error").length;
  const plural = (n, word) => n + " " + word + (n === 1 ? "" : "s");
  document.getElementById("diagnostics-title").textContent = "Diagnostics (" + plural(errors, "error") + ", " + (ds.length - errors) + " other)";
  const status = document.getElementById("status");
  status.textContent = errors ? plural(errors, "error") : "no errors";
  status.title = errors && !S.data.compiled ? "the compile stops at the first error: what later lines place is not drawn" : "";
  const notice = document.getElementById("notice");
  notice.textContent = errors && !S.data.compiled ? "The compile stopped at the first error: objects of later lines are not drawn." : "";
  status.className = errors ? "error" : "ok";
  if (ds.length === 0) list.appendChild(html("li", { class: "note", style: "list-style: none" }, "none"));
  ds.forEach((d, i) => {
    const li = html("li", { class: d.level });
    li.appendChild(html("span", { class: "lvl" }, d.level + (d.number ? " " + d.number : "") + ": "));
    li.appendChild(document.createTextNode(d.message + " "));
    if (d.file) li.appendChild(html("span", { class: "where" }, d.file + (d.line ? ":" + d.line + (d.column ? ":" + d.column : "") : "")));
    li.addEventListener("click", () => selectDiagnostic(i));
    list.appendChild(li);
  });
}

function selectDiagnostic(i) {
  const d = S.data.diagnostics[i];
  const m = S.diagPlaces[i];
  if (m !== null) centreOn(m, 3000);
  const box = document.getElementById("details");
  box.textContent = "";
  box.appendChild(html("div", { class: "kindname" }, d.level + (d.number ? " " + d.number : "")));
  box.appendChild(html("p", {}, d.message));
  if (m !== null) box.appendChild(html("p", {}, "at " + where(m)));
  if (d.file) {
    box.appendChild(html("p", { class: "where" }, d.file + (d.line ? ":" + d.line : "")));
    if (d.text) box.appendChild(html("pre", { class: "source" }, d.text));
  }
  S.selected = m !== null ? { type: "diagnostic", item: { at: m } } : null;
  draw();
}

// ---------------------------------------------------------------- search
function search(q) {
  q = q.trim();
  if (!q) return;
  const lower = q.toLowerCase();
  const s = S.data.stations.find((x) => x.name.toLowerCase() === lower) || S.data.stations.find((x) => x.name.toLowerCase().includes(lower));
  if (s) { centreOn(s.at, 4000); select("station", s); return; }
  // "km 111.6" (or "111.6"): the kilometric progressive, where the line has
  // one; "38700 m": a position.
  const metresAsked = /^-?[\d.,]+\s*m$/i.test(q);
  const n = Number(q.replace(/^km\s*/i, "").replace(/\s*m$/i, "").replace(",", "."));
  if (Number.isFinite(n)) {
    let m = metresAsked ? n : Math.round(n * 1000);
    if (!metresAsked && S.data.progressive) {
      const found = positionsOfKm(Math.round(n * 1000));
      if (found.length === 0) { document.getElementById("range").textContent = "km " + n + " is not on this line"; return; }
      m = found[0];
    }
    centreOn(m, 4000);
    S.cursor = m;
    draw();
    return;
  }
  document.getElementById("range").textContent = "nothing found for “" + q + "”";
}

// ---------------------------------------------------------------- input
function profileEvents() {
  const svg = document.getElementById("profile");
  let drag = null;
  svg.addEventListener("wheel", (e) => {
    e.preventDefault();
    const r = svg.getBoundingClientRect();
    const m = S.lastProfile.M(e.clientX - r.left);
    const f = Math.exp(e.deltaY * 0.0015);
    setView(m - (m - S.view.from) * f, m + (S.view.to - m) * f);
    draw();
  }, { passive: false });
  svg.addEventListener("pointerdown", (e) => { drag = { x: e.clientX, from: S.view.from, to: S.view.to, moved: false }; });
  svg.addEventListener("pointermove", (e) => {
    const r = svg.getBoundingClientRect();
    if (drag && (e.buttons & 1)) {
      const dx = e.clientX - drag.x;
      if (Math.abs(dx) > 2) { drag.moved = true; svg.classList.add("dragging"); }
      const dm = dx / (r.width - LEFT - RIGHT) * (drag.to - drag.from);
      setView(drag.from - dm, drag.to - dm);
    }
    const x = e.clientX - r.left;
    S.cursor = x >= LEFT ? S.lastProfile.M(x) : null;
    draw();
  });
  const end = () => { drag = null; svg.classList.remove("dragging"); };
  svg.addEventListener("pointerup", end);
  svg.addEventListener("pointerleave", () => { end(); S.cursor = null; draw(); });
}

function planEvents() {
  const svg = document.getElementById("plan");
  let drag = null;
  svg.addEventListener("wheel", (e) => {
    e.preventDefault();
    const r = svg.getBoundingClientRect();
    const px = e.clientX - r.left, py = e.clientY - r.top;
    const P = S.plan;
    const wx = P.cx + (px - r.width / 2) / P.scale, wy = P.cy - (py - r.height / 2) / P.scale;
    const f = Math.exp(-e.deltaY * 0.0015);
    P.scale = Math.max(1e-5, Math.min(50, P.scale * f));
    P.cx = wx - (px - r.width / 2) / P.scale;
    P.cy = wy + (py - r.height / 2) / P.scale;
    draw();
  }, { passive: false });
  svg.addEventListener("pointerdown", (e) => { drag = { x: e.clientX, y: e.clientY, cx: S.plan.cx, cy: S.plan.cy }; });
  svg.addEventListener("pointermove", (e) => {
    const r = svg.getBoundingClientRect();
    if (drag && (e.buttons & 1)) {
      S.plan.cx = drag.cx - (e.clientX - drag.x) / S.plan.scale;
      S.plan.cy = drag.cy + (e.clientY - drag.y) / S.plan.scale;
      svg.classList.add("dragging");
    }
    S.cursor = nearestOnPlan(e.clientX - r.left, e.clientY - r.top);
    draw();
  });
  const end = () => { drag = null; svg.classList.remove("dragging"); };
  svg.addEventListener("pointerup", end);
  svg.addEventListener("pointerleave", () => { end(); S.cursor = null; draw(); });
}

// The position along the line nearest the pointer on the plan, when the
// track passes within 20 pixels of it.
function nearestOnPlan(px, py) {
  const plan = S.data.plan, L = S.lastPlan;
  if (!plan || !L) return null;
  const P = S.plan;
  const wx = P.cx + (px - L.W / 2) / P.scale, wy = P.cy - (py - L.H / 2) / P.scale;
  const reach = 20 / P.scale;
  let best = null, bestD = reach * reach;
  for (const c of S.planChunks) {
    if (wx < c.x0 - reach || wx > c.x1 + reach || wy < c.y0 - reach || wy > c.y1 + reach) continue;
    for (let i = c.a; i <= c.b; i++) {
      const dx = plan.x[i] - wx, dy = plan.y[i] - wy, d = dx * dx + dy * dy;
      if (d < bestD) { bestD = d; best = i * plan.step; }
    }
  }
  return best;
}

function start() {
  const data = JSON.parse(document.getElementById("scenario-data").textContent);
  profileEvents();
  planEvents();
  document.getElementById("fit").addEventListener("click", () => { fit(); draw(); });
  document.getElementById("search-form").addEventListener("submit", (e) => { e.preventDefault(); search(document.getElementById("search").value); });
  window.addEventListener("resize", draw);
  load(data, false);
  // A page served live gets each new compile of the sources.
  if (data.live && window.EventSource) {
    const events = new EventSource("events");
    events.addEventListener("scenario", (e) => load(JSON.parse(e.data), true));
  }
}

window.scenc_view = { state: S, load, select, search, setView, draw, drawNow };
start();
