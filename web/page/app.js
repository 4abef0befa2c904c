// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The preflight page. Everything a drawing names (layers, messages) reaches
// the page through textContent and attributes set one by one, never as markup.
'use strict';

const SVG = 'http://www.w3.org/2000/svg';
const state = { file: null, doc: null, health: null, view: null, home: null, reading: 0 };
const $ = (id) => document.getElementById(id);

function element(tag, className, text) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  if (text !== undefined && text !== null) node.textContent = String(text);
  return node;
}

function svgElement(tag, attributes) {
  const node = document.createElementNS(SVG, tag);
  for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, value);
  return node;
}

function number(value, digits = 3) {
  if (value === null || value === undefined || !Number.isFinite(value)) return '—';
  return Number(value.toFixed(digits)).toLocaleString('en', { maximumFractionDigits: digits });
}

// ---- the settings and the server --------------------------------------------

function query(extra) {
  const parameters = new URLSearchParams();
  for (const field of $('settings').elements) {
    if (field.name && field.value.trim() !== '') parameters.set(field.name, field.value.trim());
  }
  if (state.file) parameters.set('name', state.file.name);
  for (const [name, value] of Object.entries(extra || {})) parameters.set(name, value);
  return parameters.toString();
}

function showStatus(text, isError) {
  const status = $('status');
  status.textContent = text;
  status.classList.toggle('error', !!isError);
}

async function errorOf(response) {
  try {
    const body = await response.json();
    return `${body.error} (${body.code}, HTTP ${response.status})`;
  } catch (e) {
    return `HTTP ${response.status}`;
  }
}

async function loadHealth() {
  const response = await fetch('/api/health');
  state.health = await response.json();
  $('server').textContent = state.health.command;
  $('check-missing').hidden = state.health.check;
  enableDownloads();
}

function enableDownloads() {
  const exports = state.health ? state.health.exports : [];
  for (const button of document.querySelectorAll('#downloads button')) {
    const format = button.dataset.format;
    const offered = exports.includes(format);
    button.disabled = !state.doc || !offered;
    button.title = offered ? '' : "This server's quillform cannot write this format yet.";
  }
}

async function read() {
  if (!state.file) return;
  const ticket = ++state.reading;
  showStatus(`Reading ${state.file.name}…`);
  const started = performance.now();
  let response;
  try {
    response = await fetch('/api/read?' + query(), {
      method: 'POST', body: state.file, headers: { 'Content-Type': 'application/octet-stream' } });
  } catch (e) {
    if (ticket === state.reading) showStatus(`The server did not answer: ${e.message}`, true);
    return;
  }
  if (ticket !== state.reading) return; // a newer read is on its way
  if (!response.ok) {
    state.doc = null;
    showStatus(await errorOf(response), true);
    render();
    return;
  }
  state.doc = await response.json();
  const seconds = ((performance.now() - started) / 1000).toFixed(2);
  render(seconds);
}

async function download(format) {
  if (format === 'json') {
    save(new Blob([JSON.stringify(state.doc, null, 2)], { type: 'application/json' }),
         stem() + '.json');
    return;
  }
  const response = await fetch('/api/export?' + query({ format }), {
    method: 'POST', body: state.file, headers: { 'Content-Type': 'application/octet-stream' } });
  if (!response.ok) {
    showStatus(await errorOf(response), true);
    return;
  }
  const disposition = response.headers.get('Content-Disposition') || '';
  const named = /filename="([^"]+)"/.exec(disposition);
  save(await response.blob(), named ? named[1] : stem() + '.' + format);
}

function stem() {
  return (state.file ? state.file.name : 'drawing').replace(/\.[^.]*$/, '');
}

function save(blob, name) {
  const link = element('a');
  link.href = URL.createObjectURL(blob);
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// ---- the document -----------------------------------------------------------

function parts(doc) {
  const list = [];
  for (const layer of doc.layers) {
    layer.shapes.forEach((shape, index) => list.push({ layer: layer.name, index, shape }));
  }
  return list;
}

function render(seconds) {
  const doc = state.doc;
  $('parts').tBodies[0].replaceChildren();
  $('parts').tFoot.replaceChildren();
  $('findings').replaceChildren();
  $('warnings').replaceChildren();
  $('drawing').replaceChildren();
  enableDownloads();
  if (!doc) return;
  const list = parts(doc);
  drawDrawing(doc, list);
  fillParts(doc, list);
  fillFindings(doc);
  fillWarnings(doc);
  const unit = doc.lengthUnits ? doc.lengthUnits.name : doc.units.name;
  const layers = new Set(list.map((p) => p.layer)).size;
  const findings = doc.findings ? `, ${doc.findings.length} findings` : '';
  const plural = (n, word) => `${n} ${word}${n === 1 ? '' : 's'}`;
  showStatus(`${doc.file}: ${plural(list.length, 'part')} on ${plural(layers, 'layer')}${findings}; ` +
             `lengths in ${unit}${seconds ? `; read in ${seconds} s` : ''}`);
}

function measuresOf(shape) {
  const m = shape.measures || {};
  const box = shape.bounds || {};
  return {
    width: m.width !== undefined ? m.width : box.maxX - box.minX,
    height: m.height !== undefined ? m.height : box.maxY - box.minY,
    area: m.area, cutLength: m.cutLength,
    pierces: m.pierces !== undefined ? m.pierces : 1 + (shape.holes || []).length,
    minRectangle: m.minRectangle, smallestHole: m.smallestHole,
  };
}

function fillParts(doc, list) {
  const body = $('parts').tBodies[0];
  for (const part of list) {
    const m = measuresOf(part.shape);
    const row = element('tr');
    row.dataset.key = key(part.layer, part.index);
    const rectangle = m.minRectangle
      ? `${number(m.minRectangle.width)} × ${number(m.minRectangle.height)} @ ${number(m.minRectangle.angle, 1)}°`
      : '—';
    const layer = element('td', 'layer', part.layer);
    layer.title = part.layer;
    row.append(layer);
    for (const text of [part.index, number(m.width), number(m.height), number(m.area),
                        number(m.cutLength), m.pierces, rectangle, number(m.smallestHole)]) {
      row.append(element('td', null, text));
    }
    row.addEventListener('click', () => selectPart(part.layer, part.index));
    body.append(row);
  }
  const totals = doc.totals;
  const foot = element('tr');
  const cells = totals
    ? ['Total', totals.parts, '', '', number(totals.area), number(totals.cutLength), totals.pierces, '', '']
    : ['Total', list.length, '', '', '—', '—', list.reduce((n, p) => n + measuresOf(p.shape).pierces, 0), '', ''];
  for (const text of cells) foot.append(element('td', null, text));
  $('parts').tFoot.append(foot);
}

function fillFindings(doc) {
  const list = $('findings');
  if (!doc.findings) {
    list.append(element('li', 'info', state.health && state.health.check
      ? 'Give a thickness to check the drawing.' : "This server's quillform has no check."));
    return;
  }
  if (doc.findings.length === 0) list.append(element('li', 'info', 'Nothing found.'));
  doc.findings.forEach((finding, index) => {
    const item = element('li', 'finding ' + finding.severity);
    item.tabIndex = 0;
    item.dataset.index = index;
    item.append(element('span', 'code', finding.code));
    const where = [finding.layer, finding.part !== undefined ? `part ${finding.part}` : null]
      .filter((x) => x !== undefined && x !== null).join(', ');
    item.append(element('span', 'where quiet', where ? `${where}: ` : ''));
    item.append(element('span', 'message', finding.message));
    item.addEventListener('click', () => selectFinding(index));
    item.addEventListener('keydown', (e) => { if (e.key === 'Enter') selectFinding(index); });
    list.append(item);
  });
}

function fillWarnings(doc) {
  for (const warning of doc.warnings || []) {
    const item = element('li', 'warning');
    item.append(element('span', 'code', warning.code));
    item.append(element('span', 'message',
      (warning.layer !== undefined ? `${warning.layer}: ` : '') + warning.message));
    $('warnings').append(item);
  }
  if (doc.openChains) {
    $('warnings').append(element('li', 'warning',
      `${doc.openChains.length} chains do not close (dashed red in the drawing).`));
  }
}

// ---- the drawing ------------------------------------------------------------

function key(layer, index) {
  return JSON.stringify([layer, index]);
}

function finite(...values) {
  return values.every((v) => typeof v === 'number' && Number.isFinite(v));
}

function circlePath(cx, cy, r) {
  return `M${cx + r} ${cy}A${r} ${r} 0 1 1 ${cx - r} ${cy}A${r} ${r} 0 1 1 ${cx + r} ${cy}Z`;
}

function arcTo(from, to) {
  const { centerX: cx, centerY: cy, radius: r, direction } = from.arc;
  const sweepFlag = direction === 'ccw' ? 1 : 0;
  if (Math.hypot(to.x - from.x, to.y - from.y) <= 1e-12 * Math.max(1, r)) {
    const ox = 2 * cx - from.x, oy = 2 * cy - from.y; // a whole circle: two halves
    return `A${r} ${r} 0 0 ${sweepFlag} ${ox} ${oy}A${r} ${r} 0 0 ${sweepFlag} ${to.x} ${to.y}`;
  }
  const start = Math.atan2(from.y - cy, from.x - cx);
  const end = Math.atan2(to.y - cy, to.x - cx);
  let sweep = direction === 'ccw' ? end - start : start - end;
  while (sweep < 0) sweep += 2 * Math.PI;
  return `A${r} ${r} 0 ${sweep > Math.PI ? 1 : 0} ${sweepFlag} ${to.x} ${to.y}`;
}

function chainPath(vertices, closed) {
  if (!vertices.length || !vertices.every((v) => finite(v.x, v.y))) return '';
  let d = `M${vertices[0].x} ${vertices[0].y}`;
  const n = vertices.length;
  for (let i = 0; i < (closed ? n : n - 1); i++) {
    const from = vertices[i], to = vertices[(i + 1) % n];
    d += from.arc && finite(from.arc.centerX, from.arc.centerY, from.arc.radius)
      ? arcTo(from, to) : `L${to.x} ${to.y}`;
  }
  return closed ? d + 'Z' : d;
}

function outlinePath(outline) {
  if (outline.kind === 'circle') {
    const c = outline.circle;
    return finite(c.centerX, c.centerY, c.radius) ? circlePath(c.centerX, c.centerY, c.radius) : '';
  }
  return chainPath(outline.vertices || [], true);
}

function extend(box, x, y) {
  if (!finite(x, y)) return;
  box.minX = Math.min(box.minX, x); box.maxX = Math.max(box.maxX, x);
  box.minY = Math.min(box.minY, y); box.maxY = Math.max(box.maxY, y);
}

function drawDrawing(doc, list) {
  const svg = $('drawing');
  const world = svgElement('g', { id: 'world', transform: 'scale(1,-1)' });
  const box = { minX: Infinity, minY: Infinity, maxX: -Infinity, maxY: -Infinity };
  for (const part of list) {
    const outline = outlinePath(part.shape);
    const holes = (part.shape.holes || []).map(outlinePath);
    const path = svgElement('path', { class: 'part', d: outline + holes.join('') });
    path.dataset.key = key(part.layer, part.index);
    path.addEventListener('click', () => selectPart(part.layer, part.index));
    world.append(path);
    for (const hole of holes) world.append(svgElement('path', { class: 'hole', d: hole }));
    const b = part.shape.bounds || {};
    extend(box, b.minX, b.minY);
    extend(box, b.maxX, b.maxY);
  }
  for (const chain of doc.openChains || []) {
    world.append(svgElement('path', { class: 'open', d: chainPath(chain.vertices, false) }));
    for (const v of chain.vertices) extend(box, v.x, v.y);
  }
  (doc.findings || []).forEach((finding, index) => {
    const at = finding.location;
    if (!at || !finite(at.x, at.y)) return;
    const marker = svgElement('circle', { class: `marker ${finding.severity}`, cx: at.x, cy: at.y, r: 1 });
    marker.dataset.index = index;
    marker.addEventListener('click', () => selectFinding(index));
    const title = svgElementTitle(`${finding.code}: ${finding.message}`);
    marker.append(title);
    world.append(marker);
    extend(box, at.x, at.y);
  });
  svg.append(world);
  if (!Number.isFinite(box.minX)) box.minX = box.minY = 0, box.maxX = box.maxY = 1;
  const margin = 0.04 * Math.max(box.maxX - box.minX, box.maxY - box.minY, 1e-9);
  state.home = { x: box.minX - margin, y: -box.maxY - margin,
                 w: box.maxX - box.minX + 2 * margin, h: box.maxY - box.minY + 2 * margin };
  setView(Object.assign({}, state.home));
}

function svgElementTitle(text) {
  const title = document.createElementNS(SVG, 'title');
  title.textContent = text;
  return title;
}

function setView(view) {
  state.view = view;
  const svg = $('drawing');
  svg.setAttribute('viewBox', `${view.x} ${view.y} ${view.w} ${view.h}`);
  // Markers keep their size on the screen: 7 pixels whatever the zoom.
  const pixels = Math.max(svg.clientWidth, 1);
  const perPixel = Math.max(view.w / pixels, view.h / Math.max(svg.clientHeight, 1));
  for (const marker of svg.querySelectorAll('.marker')) marker.setAttribute('r', 7 * perPixel);
}

function toWorld(event) {
  const svg = $('drawing');
  const point = new DOMPoint(event.clientX, event.clientY).matrixTransform(svg.getScreenCTM().inverse());
  return point;
}

function zoom(event) {
  event.preventDefault();
  if (!state.view) return;
  const factor = Math.exp(event.deltaY * 0.0015);
  const p = toWorld(event);
  const v = state.view;
  setView({ x: p.x - (p.x - v.x) * factor, y: p.y - (p.y - v.y) * factor, w: v.w * factor, h: v.h * factor });
}

function enablePanning() {
  const svg = $('drawing');
  let last = null;
  svg.addEventListener('pointerdown', (e) => { last = toWorld(e); svg.classList.add('dragging'); });
  svg.addEventListener('pointermove', (e) => {
    if (!last || !state.view) return;
    const p = toWorld(e);
    const v = state.view;
    setView({ x: v.x - (p.x - last.x), y: v.y - (p.y - last.y), w: v.w, h: v.h });
  });
  const stop = () => { last = null; svg.classList.remove('dragging'); };
  svg.addEventListener('pointerup', stop);
  svg.addEventListener('pointerleave', stop);
  svg.addEventListener('wheel', zoom, { passive: false });
  $('fit').addEventListener('click', () => state.home && setView(Object.assign({}, state.home)));
}

// ---- selection --------------------------------------------------------------

function clearSelection() {
  for (const node of document.querySelectorAll('.selected')) node.classList.remove('selected');
}

function selectPart(layer, index) {
  clearSelection();
  const k = key(layer, index);
  for (const node of document.querySelectorAll('[data-key]')) {
    if (node.dataset.key === k) node.classList.add('selected');
  }
}

function selectFinding(index) {
  clearSelection();
  for (const node of document.querySelectorAll(`[data-index="${index}"]`)) node.classList.add('selected');
  const finding = state.doc.findings[index];
  if (finding.part !== undefined) {
    const k = key(finding.layer, finding.part);
    for (const node of document.querySelectorAll('path[data-key]')) {
      if (node.dataset.key === k) node.classList.add('selected');
    }
  }
  const at = finding.location;
  if (at && finite(at.x, at.y) && state.view) {
    const v = state.view;
    setView({ x: at.x - v.w / 2, y: -at.y - v.h / 2, w: v.w, h: v.h });
  }
}

// ---- wiring -----------------------------------------------------------------

function takeFile(file) {
  if (!file) return;
  state.file = file;
  $('file-name').textContent = file.name;
  read();
}

function wire() {
  $('file').addEventListener('change', (e) => takeFile(e.target.files[0]));
  const drop = $('drop');
  drop.addEventListener('dragover', (e) => { e.preventDefault(); drop.classList.add('over'); });
  drop.addEventListener('dragleave', () => drop.classList.remove('over'));
  drop.addEventListener('drop', (e) => {
    e.preventDefault();
    drop.classList.remove('over');
    takeFile(e.dataTransfer.files[0]);
  });
  $('settings').addEventListener('change', read);
  $('settings').addEventListener('submit', (e) => { e.preventDefault(); read(); });
  for (const button of document.querySelectorAll('#downloads button')) {
    button.addEventListener('click', () => download(button.dataset.format));
  }
  enablePanning();
  window.addEventListener('resize', () => state.view && setView(state.view));
  loadHealth().catch((e) => showStatus(`The server did not answer: ${e.message}`, true));
}

wire();
