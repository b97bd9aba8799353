#!/usr/bin/python3
"""The page in a real browser: serves the site folder on a free loopback port, opens it in
Debian's chromium-headless-shell (WebGL 2 on SwiftShader, no GPU, no display) and drives it
over the DevTools protocol. Frames take seconds there: every wait is for something the page
shows, with a deadline of minutes.

    page_test.py SITE_FOLDER DESKTOP_CAPTURE.png FUZZLETS_CAPTURE

The browser runs with its autoplay policy as it ships. FUZZLETS_CAPTURE, the desktop's capture
tool, records the desktop's flight for the page's to be held against. Prints the region figures
of both pictures, the time to the first frame, the page's frame time, and the WebGL calls and
main-thread milliseconds of a frame in three views, and the length of a one-line edit's share
link; ends with 'N passed, N failed'. FUZZLETS_PAGE_PICTURE=FILE, FUZZLETS_LAB_PICTURE=FILE and
FUZZLETS_PHONE_PICTURE=FILE also save the whole page as the reader sees it on a desktop, with the
lab's editor beside the picture and a line refused in it, and on a phone (the README's pictures)."""
import base64, functools, http.server, io, json, os, re, shutil, signal, subprocess, sys, tempfile, threading, time, zlib
import urllib.request
import websocket
from PIL import Image

DEADLINE = 300  # seconds for anything the page is waited for
SHELL_FLAGS = ['--headless', '--no-sandbox', '--enable-unsafe-swiftshader', '--use-angle=swiftshader',
               '--hide-scrollbars', '--window-size=800,800',
               '--remote-debugging-port=0']
# Regions of the 640 x 480 picture as (left, top, right, bottom).
REGIONS = {'walls': (20, 60, 620, 200), 'floor': (20, 400, 620, 440), 'spectrum line': (0, 440, 640, 480)}
HELP_PANEL = (10, 40, 200, 200)
SHADOW_MAP_VIEW = (480, 320, 640, 480)
SETTINGS_PANEL = (302, 8, 632, 472)
WHOLE = (0, 0, 640, 480)
FUR_BALLS = (0, 0, 640, 440)
WORLD = (0, 40, 640, 430)  # below the frame-rate text, above the spectrum line
# The desktop's flight: frames of a quarter second, w held from the first, every other one kept.
FLIGHT_FPS, FLIGHT_EVERY, FLIGHT_FRAMES = 4, 2, 33
FLIGHT_HOLD_SECONDS = 4.0
MAX_FRAME_SECONDS = 2.0  # as app/FrameClock.h caps a frame's time
PHONE = {'width': 390, 'height': 844, 'deviceScaleFactor': 3, 'mobile': True}
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
        self.excused = []  # what the page was asked to do, said in the console until the next check
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
                self.console.append(('page', ' '.join(str(a.get('value', '')) for a in message['params']['args'])))
            elif message.get('method') == 'Log.entryAdded':  # the browser's own; WebGL's come from 'rendering'
                entry = message['params']['entry']
                self.console.append((entry['source'], entry['text']))
            elif message.get('method') == 'Runtime.exceptionThrown':
                self.exceptions.append(message['params']['exceptionDetails'])

    def evaluate(self, expression):
        return self.call('Runtime.evaluate', expression=expression, returnByValue=True)['result'].get('value')

    def wait_for(self, expression, deadline=DEADLINE):
        until = time.time() + deadline
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
            self.key(kind, key, code, key_code)

    def audio_state(self):
        return self.evaluate('Module.audioContext ? Module.audioContext.state : ""')

    def canvas_origin(self):
        return self.evaluate('(function(r){return [r.left, r.top]})(Module.canvas.getBoundingClientRect())')

    def turn_wheel(self, x, y, notches):
        """Turns the wheel over canvas pixel (x, y), towards the reader for positive notches."""
        left, top = self.canvas_origin()
        self.call('Input.dispatchMouseEvent', type='mouseWheel', x=left + x, y=top + y, deltaX=0, deltaY=100 * notches)

    def picture(self):
        """The canvas as the reader sees it, at 640 x 480 whatever its size on the page."""
        box = self.evaluate('(function(r){return [r.left, r.top, r.width, r.height]})'
                            '(Module.canvas.getBoundingClientRect())')
        clip = {'x': box[0], 'y': box[1], 'width': box[2], 'height': box[3], 'scale': 1}
        data = self.call('Page.captureScreenshot', format='png', clip=clip)['data']
        image = Image.open(io.BytesIO(base64.b64decode(data))).convert('RGB')
        return image.resize((640, 480), Image.BILINEAR)

    def tap(self, selector):
        """A finger's tap on the middle of an element."""
        x, y = self.evaluate('(function(r){return [r.left + r.width / 2, r.top + r.height / 2]})'
                             '(document.querySelector(%s).getBoundingClientRect())' % json.dumps(selector))
        self.touch([('touchStart', x, y), ('touchEnd', x, y)])

    def touch(self, steps):
        for kind, x, y in steps:
            points = [] if kind == 'touchEnd' else [{'x': x, 'y': y}]
            self.call('Input.dispatchTouchEvent', type=kind, touchPoints=points)

    def key(self, kind, key, code, key_code):
        self.call('Input.dispatchKeyEvent', type=kind, key=key, code=code, windowsVirtualKeyCode=key_code,
                        text=key if kind == 'keyDown' and len(key) == 1 else '')

    def close(self):
        os.killpg(self.shell.pid, signal.SIGKILL)
        self.shell.wait()


def mean_colour(image, box):
    pixels = list(image.crop(box).getdata())
    return tuple(sum(p[c] for p in pixels) / len(pixels) for c in range(3))


def looks_alike(ours, theirs):
    """Mean colours within 30 levels in every channel: SwiftShader and llvmpipe differ in detail."""
    return max(abs(a - b) for a, b in zip(ours, theirs)) < 30


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


def flight_references(capture_tool, folder):
    """The desktop's pictures of w held from its first frame, by the seconds flown in each."""
    environment = dict(os.environ, ASAN_OPTIONS='detect_leaks=0')
    subprocess.run([capture_tool, '--quiet', '--fps', str(FLIGHT_FPS), '--frames', str(FLIGHT_FRAMES),
                    '--every', str(FLIGHT_EVERY), '--output', folder, '--at', '1:tap=p', '--at', '1:key=w'],
                   check=True, env=environment, stdout=subprocess.DEVNULL)
    references = {}
    for name in sorted(os.listdir(folder)):
        frame = re.match(r'frame-(\d+)\.png$', name)
        if frame:  # the first frame has no time before it to fly in
            references[(int(frame.group(1)) - 1) / FLIGHT_FPS] = Image.open(os.path.join(folder, name)).convert('RGB')
    return references


def main():
    site, desktop_capture, capture_tool = sys.argv[1], Image.open(sys.argv[2]).convert('RGB'), sys.argv[3]
    server = serve(site)
    url = 'http://127.0.0.1:%d/index.html' % server.server_address[1]
    profile = tempfile.mkdtemp(prefix='fuzzlets-page-')
    page = None
    try:
        references = flight_references(capture_tool, os.path.join(profile, 'flight'))
        page = Page(profile)
        run(page, url, desktop_capture, references, os.path.join(profile, 'downloads'))
        run_the_lab(page, url)
        run_on_a_phone(page, url)
    finally:
        if page:
            page.close()
        server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)
    failed = results.count(False)
    print('%d passed, %d failed' % (len(results) - failed, failed))
    return 1 if failed else 0


def start(page, url):
    opened = time.time()
    page.call('Page.navigate', url=url)
    started = page.wait_for('document.getElementById("messages").textContent.includes("frambuffer objects")')
    check('the start-up line shows on the page', bool(started))
    first = page.wait_for('Module.frames >= 1')
    print('first frame %.1f s after the page was opened' % (time.time() - opened))
    check('the first frame is drawn', bool(first))


def similarity_match(picture, references):
    """The seconds of the reference most like the picture, on a coarse grey scale."""
    coarse = lambda image: list(image.convert('L').resize((64, 48), Image.BILINEAR).getdata())
    ours = coarse(picture)
    distance = lambda seconds: sum(abs(a - b) for a, b in zip(ours, coarse(references[seconds])))
    return min(references, key=distance)


def check_flight(page, references):
    """w held for seconds of the wall clock flies as far as the desktop flies in them."""
    page.evaluate('Module.fzFrameStarts = []; var run = Browser.mainLoop.runIter;'
                  'Browser.mainLoop.runIter = function(f) { Module.fzFrameStarts.push(performance.now() / 1000);'
                  ' return run.call(this, f); }')
    held_from = page.evaluate('performance.now() / 1000')
    page.key('keyDown', 'w', 'KeyW', 87)
    page.wait_for('performance.now() / 1000 > %f' % (held_from + FLIGHT_HOLD_SECONDS))
    page.key('keyUp', 'w', 'KeyW', 87)
    held_until = page.evaluate('performance.now() / 1000')
    page.after_frames(2)
    # Headless Chromium queues a page's GL work for seconds where SwiftShader lags, and a picture
    # taken then shows a frame from early in the flight: the queue is waited out first (finish,
    # then a query, which is where Chromium waits).
    page.evaluate('(function(gl) { gl.finish(); return gl.getError(); })(Module.ctx)')
    flown = similarity_match(page.picture(), references)
    starts = page.evaluate('Module.fzFrameStarts')
    # A frame moves by the frame time measured before it, so the flight may start and end up to
    # two frame intervals off the key's; on a machine so loaded that frames are further apart
    # than the cap, the world runs slower than the clock, by design.
    gaps = [min(later - earlier, MAX_FRAME_SECONDS) for earlier, later in zip(starts, starts[1:])]
    expected = min(held_until - held_from, MAX_FRAME_SECONDS * max(1, len(gaps)))
    allowed = 1.0 + 2 * max(gaps, default=MAX_FRAME_SECONDS)
    check('a held w flies as far as on the desktop', abs(flown - expected) <= allowed,
          'held %.1f s, the picture is the desktop\'s after %.2f s (%.1f s allowed)' % (expected, flown, allowed))
    # The follow cycle's end puts the free camera back where it started.
    for _ in range(7):
        page.press('m', 'KeyM', 77)


# Counts each WebGL call and times the main loop's work, within frames alone: the CPU's share of a
# frame, which sets the frame rate where the GPU is fast.
FRAME_COST_PROBE = '''(function() {
  var cost = Module.fzFrameCost = {calls: 0, frames: [], waits: [], inFrame: false, waitMs: 0};
  var context = WebGL2RenderingContext.prototype;
  Object.getOwnPropertyNames(context).forEach(function(name) {
    var method = Object.getOwnPropertyDescriptor(context, name).value;
    if (typeof method != 'function' || name == 'constructor') return;
    context[name] = function() { if (cost.inFrame) cost.calls++; return method.apply(this, arguments); };
  });
  // The calls that wait for the GPU process: with the settings panel shown each pass is timed to
  // its end, and Chromium's finish() leaves the wait to the next query.
  ['finish', 'getParameter'].forEach(function(name) {
    var counted = context[name];
    context[name] = function() {
      var started = performance.now();
      try { return counted.apply(this, arguments); } finally { cost.waitMs += performance.now() - started; }
    };
  });
  var run = Browser.mainLoop.runIter;
  Browser.mainLoop.runIter = function(body) {
    var started = performance.now();
    cost.inFrame = true;
    cost.waitMs = 0;
    try { return run.call(this, body); } finally {
      cost.inFrame = false;
      cost.frames.push(performance.now() - started - cost.waitMs);
      cost.waits.push(cost.waitMs);
    }
  };
})()'''
MOST_WEBGL_CALLS = 5000  # a frame's, in any view


def median(values):
    ordered = sorted(values)
    return ordered[len(ordered) // 2] if ordered else 0.0


def frame_cost(page, frames=6):
    """Over the next frames: WebGL calls per frame, and the median frame's main-thread milliseconds
    without, and in, the calls that wait for the GPU. The median, since the GPU process's threads
    share the machine's cores with the page's."""
    page.evaluate('Object.assign(Module.fzFrameCost, {calls: 0, frames: [], waits: []})')
    page.after_frames(frames)
    cost = page.evaluate('Module.fzFrameCost')
    return cost['calls'] / max(1, len(cost['frames'])), median(cost['frames']), median(cost['waits'])


def check_frame_cost(page):
    """The default view, the help panel and the settings panel, each a few frames after its key."""
    page.evaluate(FRAME_COST_PROBE)
    costs = {}
    for view, key in (('default', None), ('help panel', ('h', 'KeyH', 72)), ('settings panel', ('\t', 'Tab', 9))):
        if key:
            page.press(*key)
            page.after_frames(2)
        costs[view] = frame_cost(page)
        if key:
            page.press(*key)
        print('%-14s %6.0f WebGL calls, main thread %5.2f ms and %7.1f ms in finish or getParameter, per frame'
              % ((view,) + costs[view]))
    most = max(calls for calls, _, _ in costs.values())
    check('a frame makes at most %d WebGL calls in every view' % MOST_WEBGL_CALLS, most <= MOST_WEBGL_CALLS,
          'most %.0f' % most)


def check_screenshot(page, desktop, downloads):
    """F12 downloads the frame as a PNG of the room."""
    page.call('Browser.setDownloadBehavior', behavior='allow', downloadPath=downloads)
    page.call('Input.dispatchKeyEvent', type='keyDown', key='F12', code='F12', windowsVirtualKeyCode=123)
    page.call('Input.dispatchKeyEvent', type='keyUp', key='F12', code='F12', windowsVirtualKeyCode=123)
    path = os.path.join(downloads, 'fuzzlets-0001.png')
    until = time.time() + DEADLINE
    while time.time() < until and not os.path.exists(path):
        page.evaluate('0')
        time.sleep(0.2)
    saved = Image.open(path).convert('RGB').resize((640, 480)) if os.path.exists(path) else None
    # F12 reads the frame back at once, as on the desktop: the one stall the reader asks for. The
    # browser says so when its GPU process gets round to it, before the next console check.
    page.excused.append('GPU stall due to ReadPixels')
    # The world moves on in real time between the press and the saved frame: the room's colours
    # are held against the desktop's, as the page's own are.
    colours = mean_colour(saved, REGIONS['walls']) if saved else (0, 0, 0)
    check('F12 downloads a PNG of the room', looks_alike(colours, mean_colour(desktop, REGIONS['walls'])),
          'walls %s' % ' '.join('%.1f' % v for v in colours))


def spectrum_moves(page, shown):
    """Whether the spectrum line moves on from the picture shown. The music moves it, not the frames:
    while the GPU process catches up, frames come milliseconds apart, so the test waits for it."""
    until = time.time() + DEADLINE
    while time.time() < until:
        if difference(shown, page.picture(), REGIONS['spectrum line']) > 0.5:
            return True
    return False


def check_lost_context(page):
    """The context taken away and given back, with the world paused: the picture comes back as it
    was (the frame-rate text and the spectrum line aside), and the spectrum line moves again."""
    before = page.picture()
    page.evaluate('Module.fzLoseContext = Module.canvas.getContext("webgl2").getExtension("WEBGL_lose_context");'
                  'Module.fzLoseContext.loseContext()')
    page.excused.append('CONTEXT_LOST_WEBGL')  # the browser's word on what the test did
    check('a lost context is said on the page', bool(page.wait_for('!document.getElementById("lost").hidden')))
    page.evaluate('Module.fzLoseContext.restoreContext()')
    page.wait_for('document.getElementById("lost").hidden')
    page.after_frames(2)
    shown = page.picture()
    check('the room and the fur balls come back as they were', difference(before, shown, WORLD) < 2,
          '%.2f levels apart' % difference(before, shown, WORLD))
    check('the spectrum line moves after the context', spectrum_moves(page, shown))


def run(page, url, desktop, references, downloads):
    start(page, url)
    # Sound as browsers ship it: waiting for a gesture, and the page saying so; a key is one.
    check('the sound waits for a gesture', page.audio_state() == 'suspended' and
          page.evaluate('!document.getElementById("start").hidden'))
    check('the progress label moved', page.evaluate('document.getElementById("status").textContent') != 'Loading…')
    page.press('u', 'KeyU', 85)
    check('a key starts the sound', page.wait_for('Module.audioContext.state == "running"') == True)

    page.after_frames(2)
    start_frame, start_time = page.frames(), time.time()
    shown = page.picture()
    page.after_frames(3)
    print('page frame %.0f ms' % ((time.time() - start_time) * 1000 / (page.frames() - start_frame)))
    save_page_picture(page, 'FUZZLETS_PAGE_PICTURE')
    print('%-14s %-22s %-22s' % ('region', 'page (mean R G B)', 'desktop'))
    for name, box in REGIONS.items():
        ours, theirs = mean_colour(shown, box), mean_colour(desktop, box)
        print('%-14s %-22s %-22s' % (name, ' '.join('%5.1f' % v for v in ours), ' '.join('%5.1f' % v for v in theirs)))
        check(name + ' look like the desktop capture', looks_alike(ours, theirs))
    ours, theirs = fur_share(shown), fur_share(desktop)
    print('%-14s %-22.3f %-22.3f' % ('fur balls', ours, theirs))
    check('fur balls cover about as much as on the desktop', theirs / 2 < ours < theirs * 2)
    check('the spectrum line moves', spectrum_moves(page, shown))
    check_frame_cost(page)
    check_screenshot(page, desktop, downloads)
    page.press('p', 'KeyP', 80)
    page.after_frames(2)
    check_lost_context(page)

    # The world paused and the spectrum hidden: the camera flies, and each key changes its part.
    page.press('u', 'KeyU', 85)
    page.after_frames(2)
    check_flight(page, references)
    for key, code, key_code, part, box in (('1', 'Digit1', 49, 'shadow map view', SHADOW_MAP_VIEW),
                                           ('h', 'KeyH', 72, 'help panel', HELP_PANEL),
                                           ('2', 'Digit2', 50, 'fur shells', REGIONS['floor']),
                                           ('m', 'KeyM', 77, 'followed ball', WHOLE),
                                           ('\t', 'Tab', 9, 'settings panel', SETTINGS_PANEL)):
        before = page.picture()
        page.press(key, code, key_code)
        page.after_frames(2)
        after = page.picture()
        changed = difference(before, after, box)
        # As on the phone: fewer shells change the floor by a few levels only (6.5 here, less in CI).
        check('%r changes the %s' % (key, part), changed > 2, '%.1f levels' % changed)
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
    check_console(page)

    page.call('Page.navigate', url=url + '?set=shells=99')
    refused = page.wait_for('document.getElementById("messages").textContent.includes("setting \'shells\' takes")')
    check('a refused ?set= is named on the page', bool(refused))


# The lab: wide enough for the editor beside the picture.
LAB_SCREEN = {'width': 1400, 'height': 900, 'deviceScaleFactor': 1, 'mobile': False}
FUR_LINE = 'vec4 hair = texture2D(tex, gl_TexCoord[0].st);'
BLUE_FUR = FUR_LINE + '\n    hair.rgb = hair.gbr;'  # the red fur turned blue


# What the room's shaders add, each taken away through the editor in turn: the walls' relief (a
# flat normal for the normal map's) and the walls' and the floor's shadows (every fragment lit).
LIGHT_REACHES = ('    if (outsideLightFrustum(coord)) return 1.0;', '    return 1.0;')
ROOM_TERMS = {'normal-mapped relief': {'normalMapping.frag': ('texture2D(normalMap1, texCoord).rgb * 2.0 - 1.0',
                                                              'vec3(0.0, 0.0, 1.0)')},
              'shadows': {'normalMapping.frag': LIGHT_REACHES, 'floorFur.frag': LIGHT_REACHES}}


def changed_share(a, b, box):
    """The share of a region's pixels that differ by more than 20 levels."""
    first, second = list(a.crop(box).getdata()), list(b.crop(box).getdata())
    return sum(1 for p, q in zip(first, second) if sum(abs(p[c] - q[c]) for c in range(3)) > 60) / len(first)


def edit_shaders(page, expression):
    """Runs an edit of the editor's, then waits for the program's reload and a frame after it."""
    reloads = page.evaluate('Lab.shaders.reloads')
    page.evaluate(expression)
    page.wait_for('Lab.shaders.reloads > %d' % reloads)
    page.after_frames(2)


def lab_link(state):
    """A link of the lab's own kind, for the refusals."""
    deflate = zlib.compressobj(9, zlib.DEFLATED, -15)
    packed = deflate.compress(json.dumps(state).encode()) + deflate.flush()
    return '#lab=' + base64.urlsafe_b64encode(packed).decode().rstrip('=')


def open_fresh(page, address):
    """The address in a page of its own, not a jump within the last one; waits for the lab."""
    page.call('Page.navigate', url='about:blank')
    page.call('Page.navigate', url=address)
    page.wait_for('typeof Lab == "object" && Lab.running')


def check_editor(page, shipped):
    """Typing, a live edit, a broken one, revert."""
    page.evaluate('Lab.shaders.editor.focus(); Lab.shaders.editor.setCursor({line: 0, ch: 0})')
    page.press('w', 'KeyW', 87)
    check('a key typed in the editor is the editor\'s', page.evaluate('Lab.shaders.editor.getLine(0)').startswith('w'))
    edit_shaders(page, 'Lab.shaders.editor.undo(); Lab.shaders.editor.setValue(Lab.shaders.editor.getValue()'
                       '.replace(%s, %s))' % (json.dumps(FUR_LINE), json.dumps(BLUE_FUR)))
    blue = page.picture()
    check('an edit in the editor changes the fur balls', fur_share(blue) < fur_share(shipped) / 4,
          '%.3f of the picture red fur, %.3f before' % (fur_share(blue), fur_share(shipped)))
    check('the edited file is marked', page.evaluate('document.querySelector("#shader-files .changed").textContent')
          == 'fur.frag')

    line = page.evaluate('Lab.shaders.editor.getValue().split("\\n").indexOf("void main() {") + 1')
    edit_shaders(page, 'Lab.shaders.editor.replaceRange("    oops;\\n", {line: %d, ch: 0})' % line)
    messages = page.evaluate('document.getElementById("shader-messages").textContent')
    page.evaluate('document.querySelector(".shader-message-place").click()')
    save_page_picture(page, 'FUZZLETS_LAB_PICTURE')
    check('a broken edit shows its message at its line', 'fur.frag:%d' % (line + 1) in messages and
          'shader-error-line' in (page.evaluate('Lab.shaders.editor.lineInfo(%d).bgClass' % line) or '') and
          page.evaluate('Lab.shaders.editor.getCursor().line') == line, messages)
    check('a broken edit keeps the last picture', difference(blue, page.picture(), WORLD) < 2)

    edit_shaders(page, 'document.getElementById("revert").click()')
    check('revert brings the shipped picture back', difference(shipped, page.picture(), WORLD) < 2,
          '%.2f levels apart' % difference(shipped, page.picture(), WORLD))
    edit_shaders(page, 'Lab.shaders.editor.setValue(Lab.shaders.editor.getValue().replace(%s, %s))'
                 % (json.dumps(FUR_LINE), json.dumps(BLUE_FUR)))


def check_room_terms(page):
    """The page's room shows its relief and its shadows: taking either away changes the picture."""
    whole = page.picture()
    for term, edits in ROOM_TERMS.items():
        for name, (old, new) in edits.items():
            edit_shaders(page, 'Lab.shaders.setText(%s, Lab.shaders.shipped[%s].replace(%s, %s)); Lab.shaders.writeNow()'
                         % (json.dumps(name), json.dumps(name), json.dumps(old), json.dumps(new)))
        share = changed_share(whole, page.picture(), WORLD)
        check('the room shows its %s' % term, share > 0.01, '%.1f %% of the picture changes without them' % (100 * share))
        for name in edits:
            edit_shaders(page, 'Lab.shaders.setText(%s, Lab.shaders.shipped[%s]); Lab.shaders.writeNow()'
                         % (json.dumps(name), json.dumps(name)))


def check_guide(page):
    """The guide's buttons show their view and setting in the running program."""
    page.evaluate('document.querySelector("[aria-controls=guide]").click()')
    page.wait_for('!!document.querySelector("#guide button.try")')
    for control, box in (('key 1', SHADOW_MAP_VIEW), ('set fur-length=3', FUR_BALLS)):
        before = page.picture()
        page.evaluate('document.querySelector(\'#guide button[data-try="%s"]\').click()' % control)
        page.after_frames(2)
        changed = difference(before, page.picture(), box)
        check('the guide\'s %s button shows it' % control, changed > 2, '%.1f levels' % changed)
    page.evaluate('document.querySelector(\'#guide button[data-try="key 1"]\').click()')
    page.after_frames(2)


def check_links(page, url):
    """A shared link restores the edit and the setting in a fresh page; bad links are refused whole."""
    page.evaluate('document.getElementById("share").click()')
    link = page.wait_for('document.getElementById("share-link").value')
    print('a one-line edit\'s link: %d characters' % len(link))
    check('a one-line edit gives a short link', '#lab=' in link and len(link) < 600)
    shared = page.picture()
    open_fresh(page, link)
    restored = page.wait_for('document.getElementById("messages").textContent.includes("Restored from the link")')
    page.press('p', 'KeyP', 80)
    page.after_frames(2)
    shown = page.picture()
    alike = all(looks_alike(mean_colour(shown, box), mean_colour(shared, box)) for box in REGIONS.values())
    length = page.evaluate('Lab.settingValue("fur-length")')
    check('a shared link restores the edit and the setting', bool(restored) and alike and
          fur_share(shown) < fur_share(shared) * 2 + 0.005 and length == '3',
          'restored %s, regions alike %s, red fur %.3f and %.3f, fur length %s' %
          (bool(restored), alike, fur_share(shown), fur_share(shared), length))

    for state, reason in (('garbage', 'does not decode'),
                          ({'version': 1, 'settings': ['fur-length=3'], 'files': {'nosuch.frag': [0, 0, 0, '']}},
                           "no shader file is called 'nosuch.frag'")):
        open_fresh(page, url + (lab_link(state) if isinstance(state, dict) else '#lab=' + state))
        refused = page.wait_for('document.getElementById("messages").textContent.includes("refused")')
        said = page.evaluate('document.getElementById("messages").textContent')
        check('a bad link is refused by name: %s' % reason, bool(refused) and reason in said and
              page.evaluate('Lab.settingValue("fur-length")') == '1' and not page.evaluate('Lab.shaders.editedNames().length'))


def run_the_lab(page, url):
    """The shader editor, the guide and shared links, with the world paused."""
    page.call('Emulation.setDeviceMetricsOverride', **LAB_SCREEN)
    start(page, url)
    page.wait_for('Lab.running')
    page.press('p', 'KeyP', 80)
    page.after_frames(2)
    check_editor(page, page.picture())
    check_room_terms(page)
    check_guide(page)
    check_links(page, url)
    check_console(page)
    page.call('Emulation.clearDeviceMetricsOverride')


def save_page_picture(page, variable):
    """The whole page as the reader sees it, where the variable names a file for it (the README's pictures)."""
    if variable in os.environ:
        with open(os.environ[variable], 'wb') as picture:
            picture.write(base64.b64decode(page.call('Page.captureScreenshot', format='png')['data']))


def check_console(page):
    check('no uncaught exception', not page.exceptions, str(page.exceptions[:1]))
    # A warning counts as an error: a stall or a refusal here is a frame lost or a black picture on a
    # stricter browser.
    webgl = [text for source, text in page.console
             if (source == 'rendering' or 'GL_INVALID' in text or 'WebGL' in text)
             and not any(excused in text for excused in page.excused)]
    check('no WebGL error or warning in the console', not webgl, '; '.join(webgl[:3]))
    page.exceptions.clear()
    page.console.clear()
    page.excused.clear()


def canvas_point(page, x, y):
    """Page coordinates of a point of the canvas's drawing buffer."""
    return page.evaluate('(function(c){var r = c.getBoundingClientRect(); return [r.left + %f * r.width / c.width,'
                         ' r.top + %f * r.height / c.height]})(Module.canvas)' % (x, y))


def run_on_a_phone(page, url):
    """A phone's screen and its finger: the page fits, a drag looks, the buttons do the keys' work."""
    page.call('Emulation.setDeviceMetricsOverride', **PHONE)
    page.call('Emulation.setTouchEmulationEnabled', enabled=True, maxTouchPoints=1)
    start(page, url)
    layout = page.evaluate('(function(c){var r = c.getBoundingClientRect(); return {scroll: '
                           'document.documentElement.scrollWidth, inner: innerWidth, innerHeight: innerHeight, '
                           'left: r.left, right: r.right, bottom: r.bottom, width: r.width, buffer: c.width}})'
                           '(Module.canvas)')
    print('phone layout', layout)
    # A page laid out wider than the phone is shrunk to fit, its text with it: the layout must be
    # the phone's own width, and nothing wider.
    check('a phone lays the page out at its width', layout['inner'] == PHONE['width'] and
          layout['scroll'] <= layout['inner'])
    check('a phone sees the whole picture', layout['left'] >= 0 and layout['right'] <= layout['inner'] and
          layout['bottom'] <= layout['innerHeight'])
    check('the drawing buffer follows the screen\'s pixels', layout['buffer'] == round(layout['width'] * 2))
    page.tap('#canvas')
    check('a tap on the picture starts the sound', page.wait_for('Module.audioContext.state == "running"') == True)

    page.after_frames(2)
    save_page_picture(page, 'FUZZLETS_PHONE_PICTURE')
    page.tap('#views [data-key="80"]')
    page.after_frames(2)
    still = page.picture()
    page.after_frames(2)
    check('the pause button stops the world', difference(still, page.picture(), FUR_BALLS) < 1)

    # The spectrum line is a line of one buffer pixel, thinner than a CSS pixel here.
    for key, part, box, least in (('85', 'spectrum line', REGIONS['spectrum line'], 0.5), ('72', 'help panel', HELP_PANEL, 2),
                                  ('49', 'shadow map view', SHADOW_MAP_VIEW, 2), ('50', 'fur shells', REGIONS['floor'], 2),
                                  ('51', 'hair lighting', FUR_BALLS, 0.5), ('77', 'followed ball', WHOLE, 2),
                                  ('9', 'settings panel', WHOLE, 2)):
        before = page.picture()
        page.tap('#views [data-key="%s"]' % key)
        page.after_frames(2)
        check('the %s button changes the %s' % (key, part), difference(before, page.picture(), box) > least)

    # The settings panel's first slider (shells drawn), dragged by a finger. The panel hangs from
    # the window's top right corner and grows with the screen's pixel ratio.
    before = page.picture()
    width, ratio = page.evaluate('[Module.canvas.width, Module.canvas.width / Module.canvas.getBoundingClientRect().width]')
    x, y = canvas_point(page, width - 8 - 162 * ratio, 8 + 67 * ratio)
    page.touch([('touchStart', x, y)])
    page.after_frames(1)
    page.touch([('touchMove', x - 10 * step, y) for step in range(1, 8)])
    page.after_frames(1)
    page.touch([('touchEnd', x, y)])
    page.after_frames(2)
    row = round((8 + 67 * ratio) * 480 / page.evaluate('Module.canvas.height'))
    check('a finger moves a slider of the panel', difference(before, page.picture(), (0, row - 15, 640, row + 15)) > 2)

    # Back to the free camera at its start (the follow cycle's end), facing the room: it flies in,
    # then looks around.
    for tap in ['9'] + ['77'] * 6:
        page.tap('#views [data-key="%s"]' % tap)
    page.after_frames(2)
    before = page.picture()
    x, y = page.evaluate('(function(r){return [r.left + r.width / 2, r.top + r.height / 2]})'
                         '(document.querySelector("#flight [data-key=\'87\']").getBoundingClientRect())')
    page.touch([('touchStart', x, y)])
    page.after_frames(3)
    page.touch([('touchEnd', x, y)])
    page.after_frames(2)
    check('holding forward flies', difference(before, page.picture(), WHOLE) > 4)
    before = page.picture()
    x, y = canvas_point(page, page.evaluate('Module.canvas.width') / 2, page.evaluate('Module.canvas.height') / 2)
    page.touch([('touchStart', x, y)] + [('touchMove', x + 8 * step, y) for step in range(1, 6)] + [('touchEnd', x, y)])
    page.after_frames(2)
    check('a drag turns the view', difference(before, page.picture(), WHOLE) > 4)

    page.tap('#views [data-key="70"]')
    check('the full screen button fills the screen', bool(page.wait_for('document.fullscreenElement != null', 30)))
    check_console(page)


if __name__ == '__main__':
    sys.exit(main())
