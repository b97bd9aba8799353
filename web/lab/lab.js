// The lab beside the picture: its tabs, and, once the program draws, the shader editor, the share
// button and the link in the address.
'use strict';

Lab.running = false;

Lab.start = function() {
  Lab.shaders = new ShaderEditor();
  watchShareButton(Lab.shaders);
  Lab.running = true;
  const restore = () => restoreLink(Lab.shaders).catch(error => Lab.say(String(error), true));
  window.addEventListener('hashchange', restore);
  restore();
};

// One tab's panel shown at a time; the guide is fetched when first shown.
document.querySelectorAll('#lab-tabs [role="tab"]').forEach((tab, _, tabs) => {
  tab.addEventListener('click', () => {
    for (const other of tabs) {
      other.setAttribute('aria-selected', String(other == tab));
      document.getElementById(other.getAttribute('aria-controls')).hidden = other != tab;
    }
    const panel = document.getElementById(tab.getAttribute('aria-controls'));
    if (panel.id == 'guide') loadGuide(panel);
    if (panel.id == 'shaders' && Lab.shaders) Lab.shaders.editor.refresh();
  });
});
