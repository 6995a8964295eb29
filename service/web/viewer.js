// The page of `quillmere serve`: posts a deck, follows its export, then shows
// what the export read, slide by slide and design by design, from
// presentationinfo.xml and the files beside it.
'use strict';

const $ = (selector, root = document) => root.querySelector(selector);
const pollMilliseconds = 400;

// PowerPoint's shape types (MsoShapeType), as the XML's Type gives them.
const shapeTypes = {
  1: 'AutoShape', 2: 'Callout', 3: 'Chart', 4: 'Comment', 5: 'Freeform', 6: 'Group', 7: 'Embedded OLE object',
  8: 'Form control', 9: 'Line', 10: 'Linked OLE object', 11: 'Linked picture', 12: 'OLE control', 13: 'Picture',
  14: 'Placeholder', 15: 'WordArt', 16: 'Media', 17: 'Text box', 18: 'Script anchor', 19: 'Table', 20: 'Canvas',
  21: 'Diagram', 22: 'Ink', 23: 'Ink comment', 24: 'SmartArt', 25: 'Slicer', 26: 'Web video', 27: 'Content app',
  28: 'Graphic', 29: 'Linked graphic', 30: '3D model', 31: 'Linked 3D model',
};

// Texts in the XML keep characters as numeric references ("&#160;").
function decodeText(text) {
  return (text || '').replace(/&#(\d+);/g, (_, code) => String.fromCodePoint(Number(code)));
}

function element(tag, attributes = {}, ...children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (name === 'text') node.textContent = value;
    else node.setAttribute(name, value);
  }
  for (const child of children) if (child) node.append(child);
  return node;
}

const childElements = (node) => (node ? Array.from(node.children) : []);
const child = (node, tag) => childElements(node).find((c) => c.tagName === tag) || null;
const childText = (node, tag) => { const c = child(node, tag); return c ? c.textContent.trim() : ''; };
const number = (node, tag) => Number.parseFloat(childText(node, tag)) || 0;

class Export {
  constructor(id, doc) {
    this.id = id;
    this.doc = doc;
    this.root = doc.documentElement;
    this.width = number(this.root, 'Width') || 960;
    this.height = number(this.root, 'Height') || 720;
    // Every file the XML names lies in the export's folder, where the first thumbnail is.
    const thumbnail = this.root.querySelector('Slide > Thumbnail');
    const path = thumbnail ? thumbnail.textContent.trim() : '';
    this.folder = path.slice(0, path.lastIndexOf('/') + 1);
  }

  url(name) { return `/v1/exports/${this.id}/${name}`; }

  // The address of a file the XML names, or null for a text that names none.
  fileUrl(path) {
    path = (path || '').trim();
    if (!this.folder || !path.startsWith(this.folder) || path.length === this.folder.length) return null;
    const name = path.slice(this.folder.length).split('/').map(encodeURIComponent).join('/');
    return this.url(`files/${name}`);
  }

  fileLink(path, className = '') {
    const url = this.fileUrl(path);
    if (!url) return document.createTextNode(decodeText(path));
    return element('a', { href: url, target: '_blank', class: `file-link ${className}`.trim(),
                          text: path.slice(this.folder.length) });
  }
}

// ---- posting and following an export ----

// A service started with a token answers 401 until the page has it: the token is asked for once and
// becomes a cookie (POST /v1/session), which the images and links of the page then carry as well.
async function api(url, options = {}) {
  for (;;) {
    const response = await fetch(url, options);
    if (response.status !== 401) return response;
    await askForToken();
  }
}

function askForToken() {
  const form = $('#token-form');
  form.hidden = false;
  $('#token').focus();
  return new Promise((resolve) => {
    form.onsubmit = async (event) => {
      event.preventDefault();
      const response = await fetch('/v1/session', {
        method: 'POST', headers: { Authorization: `Bearer ${$('#token').value}` } });
      if (response.status !== 204) {
        setMessage('The service does not take that token.', true);
        return;
      }
      form.hidden = true;
      setMessage('');
      resolve();
    };
  });
}

function setMessage(text, failed = false) {
  const message = $('#message');
  message.textContent = text;
  message.classList.toggle('failed', failed);
}

async function post(file) {
  const form = new FormData();
  form.append('deck', file, file.name);
  form.append('images', $('#images').checked ? 'true' : 'false');
  form.append('thumbnails', $('#thumbnails').checked ? 'true' : 'false');
  if ($('#slides').value.trim()) form.append('slides', $('#slides').value.trim());
  if ($('#version').value) form.append('version', $('#version').value);
  $('#result').hidden = true;
  $('#progress').hidden = false;
  $('#state').textContent = 'uploading';
  setMessage('');
  const response = await api('/v1/exports', { method: 'POST', body: form });
  const answer = await response.json();
  if (response.status !== 202) {
    $('#progress').hidden = true;
    setMessage(`The service refused the deck (${response.status}): ${answer.error}`, true);
    return;
  }
  follow(answer.id);
}

async function follow(id) {
  const response = await api(`/v1/exports/${id}`);
  const state = await response.json();
  if (response.status !== 200) {
    setMessage(`The export is gone (${response.status}): ${state.error}`, true);
    return;
  }
  const { done, total } = state.progress;
  $('#progress-bar').max = Math.max(total, 1);
  $('#progress-bar').value = done;
  $('#state').textContent = total > 0 ? `${state.state}: ${done} of ${total}` : state.state;
  if (state.state === 'queued' || state.state === 'running') {
    setTimeout(() => follow(id), pollMilliseconds);
    return;
  }
  if (state.state === 'failed') {
    setMessage(`Status ${state.status} (${state.statusName}): ${state.message}`, true);
    return;
  }
  setMessage(state.message);
  const xml = await api(`/v1/exports/${id}/presentationinfo.xml`);
  const doc = new DOMParser().parseFromString(await xml.text(), 'application/xml');
  show(new Export(id, doc));
}

// ---- showing what was read ----

function show(exp) {
  $('#download').href = exp.url('archive.zip');
  $('#xml-link').href = exp.url('presentationinfo.xml');
  const pages = $('#pages');
  pages.replaceChildren();
  $('#slide-list').replaceChildren();
  $('#design-list').replaceChildren();
  $('#properties').replaceChildren(element('p', { class: 'hint', text: 'Click a shape to see what was read from it.' }));

  for (const slide of childElements(child(exp.root, 'Slides'))) {
    const index = slide.getAttribute('index');
    const title = decodeText(childText(slide, 'SlideTitle')) || slide.getAttribute('name') || '';
    const anchor = `slide-${index}`;
    $('#slide-list').append(element('li', {}, element('a', { href: `#${anchor}`, text: title || `Slide ${index}` })));
    pages.append(page(exp, slide, { anchor, kind: 'slide', heading: `Slide ${index}: ${title}`,
                                    image: childText(slide, 'Thumbnail') }));
  }
  for (const design of childElements(child(exp.root, 'Designs'))) {
    const item = element('li', { text: `Design ${design.getAttribute('id')}` });
    const layouts = element('ul');
    for (const master of childElements(design).filter((c) => c.tagName === 'SlideMaster')) {
      const anchor = `design-${design.getAttribute('id')}-master`;
      layouts.append(element('li', {}, element('a', { href: `#${anchor}`, text: `Master: ${master.getAttribute('name')}` })));
      pages.append(page(exp, master, { anchor, kind: 'master', heading: `Master: ${master.getAttribute('name')}` }));
      for (const layout of childElements(master).filter((c) => c.tagName === 'CustomLayout')) {
        const layoutAnchor = `${anchor}-layout-${layout.getAttribute('id')}`;
        layouts.append(element('li', {}, element('a', { href: `#${layoutAnchor}`, text: `Layout: ${layout.getAttribute('name')}` })));
        pages.append(page(exp, layout, { anchor: layoutAnchor, kind: 'layout', heading: `Layout: ${layout.getAttribute('name')}` }));
      }
    }
    item.append(layouts);
    $('#design-list').append(item);
  }
  $('#result').hidden = false;
  $('#progress').hidden = true;
}

// Every shape of a slide, master or layout, those inside groups included.
function shapesOf(owner) {
  const shapes = child(owner, 'Shapes');
  return shapes ? Array.from(shapes.getElementsByTagName('Shape')) : [];
}

function page(exp, owner, { anchor, kind, heading, image }) {
  const shapes = shapesOf(owner);
  const section = element('section', { class: 'page', id: anchor, 'data-kind': kind, 'data-shapes': shapes.length },
                          element('h3', { text: heading }));
  const canvas = element('div', { class: 'canvas' });
  canvas.style.aspectRatio = `${exp.width} / ${exp.height}`;
  if (image && exp.fileUrl(image)) {
    const img = element('img', { class: 'page-image', alt: heading, src: exp.fileUrl(image) });
    img.addEventListener('error', () => img.classList.add('missing'));  // an export without images
    canvas.append(img);
  }
  for (const shape of shapes) canvas.append(frame(exp, shape));
  section.append(canvas, details(exp, owner));
  return section;
}

function frame(exp, shape) {
  const box = element('div', { class: 'frame', title: shape.getAttribute('name') || '',
                               'data-shape-name': shape.getAttribute('name') || '' });
  box.style.left = `${(number(shape, 'Left') / exp.width) * 100}%`;
  box.style.top = `${(number(shape, 'Top') / exp.height) * 100}%`;
  box.style.width = `${(number(shape, 'Width') / exp.width) * 100}%`;
  box.style.height = `${(number(shape, 'Height') / exp.height) * 100}%`;
  const rotation = number(shape, 'Rotation');
  if (rotation) box.style.transform = `rotate(${rotation}deg)`;
  box.addEventListener('click', (event) => {
    event.stopPropagation();
    document.querySelectorAll('.frame.selected').forEach((f) => f.classList.remove('selected'));
    box.classList.add('selected');
    showShape(exp, shape);
  });
  return box;
}

function textOf(node) {
  if (!node) return '';
  const paragraphs = Array.from(node.getElementsByTagName('Paragraph'));
  const parts = paragraphs.length ? paragraphs : [node];
  return parts.map((p) => Array.from(p.getElementsByTagName('String')).map((s) => decodeText(s.textContent)).join(''))
    .join('\n').trim();
}

function box(title, ...content) {
  return element('div', {}, element('h4', { text: title }), ...content);
}

function nothing(text) { return element('p', { class: 'empty', text }); }

// Notes, transition, animations, links and media of a slide, master or layout.
function details(exp, owner) {
  const container = element('div', { class: 'details' });
  const notes = child(owner, 'Notes');
  if (owner.tagName === 'Slide') container.append(box('Notes', notes ? element('p', { text: textOf(notes) || '(empty)' }) : nothing('none')));
  const transition = child(owner, 'Transition');
  if (transition) container.append(box('Transition', keyValues(exp, transition)));
  container.append(box('Animation timeline', timeline(owner)));
  container.append(box('Links and media', linksAndMedia(exp, owner)));
  return container;
}

function timeline(owner) {
  const animations = childElements(child(owner, 'AnimationTimeline')).filter((a) => a.tagName === 'Animation');
  if (!animations.length) return nothing('no animations');
  // Start order; interactive effects (start -1) come after the main sequence.
  const start = (a) => { const s = number(child(a, 'Timing'), 'Start'); return s < 0 ? Infinity : s; };
  const list = element('ol', { class: 'timeline' });
  for (const animation of animations.slice().sort((a, b) => start(a) - start(b))) {
    const timing = child(animation, 'Timing');
    const s = number(timing, 'Start');
    list.append(element('li', { text: `${s < 0 ? 'on trigger' : `at ${s} s`}: shape ${childText(animation, 'ShapeID')}` +
      ` (${decodeText(childText(animation, 'FriendlyName')) || 'effect ' + childText(animation, 'AnimationType')})` +
      `, ${childText(timing, 'Duration')} s, delay ${childText(timing, 'TriggerDelayTime')} s` +
      `${childText(animation, 'Exit') === 'True' ? ', exit' : ''}` }));
  }
  return list;
}

function linksAndMedia(exp, owner) {
  const list = element('ul');
  for (const setting of owner.querySelectorAll(':scope > ActionSettings > ActionSetting')) {
    const action = childText(setting, 'Action');
    if (!action || action === 'None') continue;
    const address = childText(setting, 'Address');
    const target = address ? element('a', { href: address, target: '_blank', rel: 'noopener', text: address })
                           : document.createTextNode(childText(setting, 'SubAddress') || childText(setting, 'SlideID'));
    list.append(element('li', {}, `${childText(setting, 'Type')} on shape ${childText(setting, 'ShapeID')}: ${action} `, target));
  }
  // Every extracted file but the page's own image.
  for (const node of owner.getElementsByTagName('*')) {
    if (node.children.length || node.tagName === 'Thumbnail' || !exp.fileUrl(node.textContent)) continue;
    if (node.tagName === 'PPTXCopy') continue;
    list.append(element('li', {}, `${node.tagName}: `, exp.fileLink(node.textContent, ['Image', 'FormattedImage'].includes(node.tagName) ? 'picture' : 'media')));
  }
  return list.children.length ? list : nothing('none');
}

// The element's simple children as a list; nested ones as nested lists.
function keyValues(exp, node) {
  const list = element('dl');
  for (const c of childElements(node)) {
    list.append(element('dt', { text: c.tagName }));
    const value = c.children.length ? keyValues(exp, c) : (exp.fileUrl(c.textContent) ? exp.fileLink(c.textContent) : decodeText(c.textContent.trim()));
    list.append(element('dd', {}, value));
  }
  for (const attribute of Array.from(node.attributes)) {
    list.append(element('dt', { text: `@${attribute.name}` }), element('dd', { text: attribute.value }));
  }
  return list;
}

function section(title, className, ...content) {
  return element('section', { class: className }, element('h4', { text: title }), ...content);
}

function showShape(exp, shape) {
  const type = childText(shape, 'Type');
  const summary = element('dl');
  const add = (term, value, className) => summary.append(element('dt', { text: term }), element('dd', { class: className || '', text: value }));
  add('Name', shape.getAttribute('name') || '', 'prop-name');
  add('Id', shape.getAttribute('id') || '');
  add('Type', `${shapeTypes[type] || 'unknown'} (${type})`, 'prop-type');
  add('Frame', ['Left', 'Top', 'Width', 'Height'].map((t) => `${t} ${childText(shape, t)}`).join(', '));
  add('Rotation', childText(shape, 'Rotation'));
  const panel = $('#properties');
  panel.replaceChildren(section('Shape', 'prop-summary', summary));
  const fill = child(shape, 'Fill');
  panel.append(section('Fill', 'prop-fill', fill ? keyValues(exp, fill) : nothing('none')));
  const line = child(shape, 'Line');
  panel.append(section('Line', 'prop-line', line ? keyValues(exp, line) : nothing('none')));
  const text = textOf(child(shape, 'TextFrame'));
  panel.append(section('Text', 'prop-text', text ? element('p', { text }) : nothing('none')));
  const images = element('div');
  for (const tag of ['Image', 'FormattedImage']) {
    const path = childText(shape, tag);
    const url = exp.fileUrl(path);
    if (!url) continue;
    images.append(element('p', {}, `${tag}: `, exp.fileLink(path, 'picture')), element('img', { class: 'own-image', src: url, alt: tag }));
  }
  panel.append(section('Its own image', 'prop-image', images.children.length ? images : nothing('none')));
  const all = element('details', {}, element('summary', { text: 'Everything read from it' }), keyValues(exp, shape));
  panel.append(all);
}

// ---- picking and dropping ----

$('#deck-input').addEventListener('change', (event) => { if (event.target.files[0]) post(event.target.files[0]); });
const zone = $('#drop-zone');
zone.addEventListener('dragover', (event) => { event.preventDefault(); zone.classList.add('over'); });
zone.addEventListener('dragleave', () => zone.classList.remove('over'));
zone.addEventListener('drop', (event) => {
  event.preventDefault();
  zone.classList.remove('over');
  if (event.dataTransfer.files[0]) post(event.dataTransfer.files[0]);
});
