#!/usr/bin/python3
"""The page in a real browser: serves the site folder on a free loopback port, opens it in
Debian's chromium-headless-shell (WebGL 2 on SwiftShader, no GPU, no display) and drives it
over the DevTools protocol. Frames take seconds there: every wait is for something the page
shows, with a deadline of minutes.

    page_test.py SITE_FOLDER DESKTOP_CAPTURE.png

Prints the region figures of both pictures, the time to the first frame and the page's frame
time; ends with 'N passed, N failed'. FUZZLETS_PAGE_PICTURE=FILE also saves the whole page as the
reader sees it (the README's picture)."""
import base64, functools, http.server, io, json, os, re, shutil, signal, subprocess, sys, tempfile, threading, time
import urllib.request
import websocket
from PIL import Image

DEADLINE = 300  # seconds for anything the page is waited for
SHELL_FLAGS = ['--headless', '--no-sandbox', '--enable-unsafe-swiftshader', '--use-angle=swiftshader',
               '--hide-scrollbars', '--autoplay-policy=no-user-gesture-required', '--window-size=800,800',
               '--remote-debugging-port=0']
# Regions of the 640 x 480 picture as (left, top, right, bottom).
REGIONS = {'walls': (20, 60, 620, 200), 'floor': (20, 400, 620, 440), 'spectrum line': (0, 440, 640, 480)}
HELP_PANEL = (10, 40, 200, 200)
SHADOW_MAP_VIEW = (480, 320, 640, 480)
SETTINGS_PANEL = (302, 8, 632, 472)
WHOLE = (0, 0, 640, 480)
results = []


def check(name, passed, detail=''):
    results.append(passed)
    print(('ok     ' if passed else 'FAILED ') + name + (': ' + detail if detail else ''), flush=True)


class Page:
    """One tab of the shell, reached over its DevTools socket."""

    def __init__(self, profile):
        # Debian's chromium-headless-shell is a script that starts the browser: both, and the
        # browser's own children, end with the process group of their own they are given here.
        self.shell = subprocess.Popen(['chromium-headless-shell', *SHELL_FLAGS, '--user-data-dir=' + profile,
                                       'about:blank'], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                                      start_new_session=True)
        self.next_id = 0
        self.console = []
        self.exceptions = []
        # A browser the test cannot reach would outlive it: it ends here instead.
        try:
            self.socket = self.connect()
            for domain in ('Runtime', 'Page', 'Log'):
                self.call(domain + '.enable')
        except BaseException:
            self.close()
            raise

    def connect(self):
        for line in self.shell.stderr:
            found = re.search(r'DevTools listening on ws://([^/]+)/', line)
            if found:
                break
        else:
            raise RuntimeError('the browser ended before it listened')
        threading.Thread(target=lambda: [None for _ in self.shell.stderr], daemon=True).start()
        targets = json.load(urllib.request.urlopen('http://%s/json' % found.group(1)))
        page = next(target for target in targets if target['type'] == 'page')
        # A page inside a frame of seconds answers between frames. Chromium refuses a DevTools
        # socket whose handshake names an origin it was not told to allow (150 does, 156 not).
        return websocket.create_connection(page['webSocketDebuggerUrl'], timeout=DEADLINE, suppress_origin=True)

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({'id': self.next_id, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get('id') == self.next_id:
                return message.get('result', {})
            if message.get('method') == 'Runtime.consoleAPICalled':
                self.console.append(' '.join(str(a.get('value', '')) for a in message['params']['args']))
            elif message.get('method') == 'Log.entryAdded':  # the browser's own, WebGL's errors among them
                self.console.append(message['params']['entry']['text'])
            elif message.get('method') == 'Runtime.exceptionThrown':
                self.exceptions.append(message['params']['exceptionDetails'])

    def evaluate(self, expression):
        return self.call('Runtime.evaluate', expression=expression, returnByValue=True)['result'].get('value')

    def wait_for(self, expression):
        until = time.time() + DEADLINE
        while time.time() < until:
            value = self.evaluate(expression)
            if value:
                return value
            time.sleep(0.2)
        return None

    def frames(self):
        return self.evaluate('typeof Module == "object" ? Module.frames : 0') or 0

    def after_frames(self, count):
        """Waits until count more frames have been drawn, so that the last one shows the input before."""
        target = self.frames() + count
        return self.wait_for('Module.frames >= %d' % target)

    def press(self, key, code, key_code):
        for kind in ('keyDown', 'keyUp'):
            self.call('Input.dispatchKeyEvent', type=kind, key=key, code=code, windowsVirtualKeyCode=key_code,
                      text=key if kind == 'keyDown' and len(key) == 1 else '')

    def canvas_origin(self):
        return self.evaluate('(function(r){return [r.left, r.top]})(Module.canvas.getBoundingClientRect())')

    def turn_wheel(self, x, y, notches):
        """Turns the wheel over canvas pixel (x, y), towards the reader for positive notches."""
        left, top = self.canvas_origin()
        self.call('Input.dispatchMouseEvent', type='mouseWheel', x=left + x, y=top + y, deltaX=0, deltaY=100 * notches)

    def picture(self):
        """The canvas as the reader sees it, 640 x 480."""
        box = self.canvas_origin()
        clip = {'x': box[0], 'y': box[1], 'width': 640, 'height': 480, 'scale': 1}
        data = self.call('Page.captureScreenshot', format='png', clip=clip)['data']
        return Image.open(io.BytesIO(base64.b64decode(data))).convert('RGB')

    def close(self):
        os.killpg(self.shell.pid, signal.SIGKILL)
        self.shell.wait()


def mean_colour(image, box):
    pixels = list(image.crop(box).getdata())
    return tuple(sum(p[c] for p in pixels) / len(pixels) for c in range(3))


def fur_share(image):
    """The share of the picture above the spectrum line in the fur balls' dark red."""
    pixels = list(image.crop((0, 0, 640, 440)).getdata())
    return sum(1 for r, g, b in pixels if r > g + 40) / len(pixels)


def difference(a, b, box):
    """Mean absolute difference of two pictures in a region, in levels of 255."""
    first, second = list(a.crop(box).getdata()), list(b.crop(box).getdata())
    return sum(abs(p[c] - q[c]) for p, q in zip(first, second) for c in range(3)) / (3 * len(first))


class Files(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, '.wasm': 'application/wasm'}

    def log_message(self, *args):
        pass


def serve(folder):
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Files, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def main():
    site, desktop_capture = sys.argv[1], Image.open(sys.argv[2]).convert('RGB')
    server = serve(site)
    url = 'http://127.0.0.1:%d/index.html' % server.server_address[1]
    profile = tempfile.mkdtemp(prefix='fuzzlets-page-')
    page = None
    try:
        page = Page(profile)
        run(page, url, desktop_capture)
    finally:
        if page:
            page.close()
        server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)
    failed = results.count(False)
    print('%d passed, %d failed' % (len(results) - failed, failed))
    return 1 if failed else 0


def run(page, url, desktop):
    opened = time.time()
    page.call('Page.navigate', url=url)
    started = page.wait_for('document.getElementById("messages").textContent.includes("frambuffer objects")')
    check('the start-up line shows on the page', bool(started))
    first = page.wait_for('Module.frames >= 1')
    print('first frame %.1f s after the page was opened' % (time.time() - opened))
    check('the first frame is drawn', bool(first))
    check('the audio context runs', page.wait_for('Module.audioContext && Module.audioContext.state == "running"')
          == True)

    page.press('u', 'KeyU', 85)
    page.after_frames(2)
    start_frame, start_time = page.frames(), time.time()
    shown = page.picture()
    page.after_frames(3)
    print('page frame %.0f ms' % ((time.time() - start_time) * 1000 / (page.frames() - start_frame)))
    later = page.picture()
    if 'FUZZLETS_PAGE_PICTURE' in os.environ:
        with open(os.environ['FUZZLETS_PAGE_PICTURE'], 'wb') as picture:
            picture.write(base64.b64decode(page.call('Page.captureScreenshot', format='png')['data']))
    print('%-14s %-22s %-22s' % ('region', 'page (mean R G B)', 'desktop'))
    for name, box in REGIONS.items():
        ours, theirs = mean_colour(shown, box), mean_colour(desktop, box)
        print('%-14s %-22s %-22s' % (name, ' '.join('%5.1f' % v for v in ours), ' '.join('%5.1f' % v for v in theirs)))
        check(name + ' look like the desktop capture', max(abs(a - b) for a, b in zip(ours, theirs)) < 30)
    ours, theirs = fur_share(shown), fur_share(desktop)
    print('%-14s %-22.3f %-22.3f' % ('fur balls', ours, theirs))
    check('fur balls cover about as much as on the desktop', theirs / 2 < ours < theirs * 2)
    check('the spectrum line moves', difference(shown, later, REGIONS['spectrum line']) > 0.5)

    # The world paused and the spectrum hidden, each key changes its part of the picture.
    page.press('u', 'KeyU', 85)
    page.press('p', 'KeyP', 80)
    page.after_frames(2)
    for key, code, key_code, part, box in (('1', 'Digit1', 49, 'shadow map view', SHADOW_MAP_VIEW),
                                           ('h', 'KeyH', 72, 'help panel', HELP_PANEL),
                                           ('2', 'Digit2', 50, 'fur shells', REGIONS['floor']),
                                           ('m', 'KeyM', 77, 'followed ball', WHOLE),
                                           ('\t', 'Tab', 9, 'settings panel', SETTINGS_PANEL)):
        before = page.picture()
        page.press(key, code, key_code)
        page.after_frames(2)
        after = page.picture()
        check('%r changes the %s' % (key, part), difference(before, after, box) > 4)
        if key == '1':
            # Depth reads as luminance, as on the desktop; WebGL 2 has no swizzle to make it so.
            colour = mean_colour(after, box)
            spread = max(colour) - min(colour)
            check('the shadow map view is grey', spread < 4, 'channels %.1f apart' % spread)

    # The settings panel, shown by Tab above, scrolls with the wheel.
    before = page.picture()
    page.turn_wheel(460, 240, 5)
    page.after_frames(2)
    check('the wheel scrolls the settings panel', difference(before, page.picture(), SETTINGS_PANEL) > 4)

    check('no uncaught exception', not page.exceptions, str(page.exceptions[:1]))
    gl_errors = [line for line in page.console if 'GL_INVALID' in line or 'WebGL: ' in line]
    check('no GL error in the console', not gl_errors, '; '.join(gl_errors[:3]))

    page.call('Page.navigate', url=url + '?set=shells=99')
    refused = page.wait_for('document.getElementById("messages").textContent.includes("setting \'shells\' takes")')
    check('a refused ?set= is named on the page', bool(refused))


if __name__ == '__main__':
    sys.exit(main())
