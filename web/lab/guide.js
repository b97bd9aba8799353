// How it works, in the page: docs/how-it-works.md as the build turned it into HTML, with its
// pictures, fetched when its tab is first opened. Where the text names a view or a setting, the
// Markdown holds a comment that other Markdown readers hide,
//   <!-- try key 1: show the shadow map -->   or   <!-- try set fur-length=3: longer fur -->,
// and here it becomes a button that shows it in the running program; pressed again, it undoes it.
'use strict';

const GUIDE_PAGE = 'how-it-works.html';
const GUIDE_PICTURES = 'docs/';
const TRY_COMMENT = /^\s*try (key|set) (\S+): (.+?)\s*$/;

// The heading's anchor as GitHub makes it, which the guide's own links name.
function anchorOf(heading) {
  return heading.textContent.trim().toLowerCase().replace(/[^\w\- ]/g, '').replace(/ /g, '-');
}

// A key's button presses and releases the key as the keyboard would; GLUT takes the upper-case
// letter's code for a letter key.
function keyControl(key) {
  const code = key.toUpperCase().charCodeAt(0);
  return () => {
    Module.pressKey(code, true);
    Module.pressKey(code, false);
  };
}

// A setting's button sets the value, and the value it found when pressed again.
function settingControl(assignment) {
  const name = assignment.split('=')[0];
  let before = null;
  return () => {
    const problem = before === null ? Lab.setSetting(assignment, false) : '';
    if (problem) return Lab.say(problem, true);
    const now = Lab.settingValue(name);
    Lab.setSetting(before === null ? assignment : name + '=' + before, true);
    before = before === null ? now : null;
  };
}

function addControls(root) {
  const walker = document.createTreeWalker(root, NodeFilter.SHOW_COMMENT);
  const comments = [];
  while (walker.nextNode()) comments.push(walker.currentNode);
  for (const comment of comments) {
    const control = TRY_COMMENT.exec(comment.data);
    if (!control) continue;
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'try';
    button.textContent = control[3];
    button.dataset.try = control[1] + ' ' + control[2];
    const act = control[1] == 'key' ? keyControl(control[2]) : settingControl(control[2]);
    button.addEventListener('click', () => Lab.running && act());
    comment.replaceWith(button);
  }
}

// Pictures from the site's docs folder, loaded as they scroll into view; headings with GitHub's
// anchors, and the guide's links to them scrolling the guide, leaving the address (and any
// shared link in it) as it is.
function placeGuide(guide, html) {
  const template = document.createElement('template');
  template.innerHTML = html;
  for (const picture of template.content.querySelectorAll('img')) {
    picture.loading = 'lazy';
    picture.setAttribute('src', GUIDE_PICTURES + picture.getAttribute('src'));
  }
  for (const heading of template.content.querySelectorAll('h1, h2, h3, h4')) heading.id = 'guide-' + anchorOf(heading);
  addControls(template.content);
  guide.appendChild(template.content);
  guide.addEventListener('click', event => {
    const link = event.target.closest('a[href^="#"]');
    if (!link) return;
    event.preventDefault();
    const target = document.getElementById('guide-' + link.getAttribute('href').slice(1));
    // The guide scrolls, not the page: the picture stays where it is.
    if (target) guide.scrollTop += target.getBoundingClientRect().top - guide.getBoundingClientRect().top;
  });
}

async function loadGuide(guide) {
  if (guide.dataset.loaded) return;
  guide.dataset.loaded = 'true';
  try {
    const response = await fetch(GUIDE_PAGE);
    if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
    placeGuide(guide, await response.text());
  } catch (error) {
    guide.textContent = GUIDE_PAGE + ' could not be read: ' + error.message;
  }
}
