// Web Audio: a script processor asks for each buffer on the page's thread, between frames.
// Browsers start sound only after the reader's first gesture, so the context is resumed on the
// first click, tap or key; with no gesture yet it waits, suspended.
#include "platform/SoundDevice.h"

#include <emscripten.h>

#include <vector>

namespace {
constexpr unsigned WEB_AUDIO_DEVICE = 1;  // the page has one output

std::vector<float> mixed;  // the frames of the latest buffer, interleaved

EM_JS(int, startWebAudio, (SoundDevice* device, int rate, int channels, int bufferFrames), {
    var ContextClass = window.AudioContext || window.webkitAudioContext;
    if (!ContextClass) return 0;
    var context = new ContextClass({sampleRate: rate});
    var node = context.createScriptProcessor(bufferFrames, 0, channels);
    node.onaudioprocess = function(event) {
        var output = event.outputBuffer;
        var frames = output.length;
        var first = _fuzzletsFillSound(device, frames) >> 2;
        for (var channel = 0; channel < channels; ++channel) {
            var samples = output.getChannelData(channel);
            for (var frame = 0; frame < frames; ++frame) samples[frame] = HEAPF32[first + frame * channels + channel];
        }
    };
    node.connect(context.destination);
    var resume = function() { if (context.state != 'running' && !document.hidden) context.resume(); };
    ['click', 'keydown', 'pointerup', 'touchend'].forEach(function(type) { window.addEventListener(type, resume, true); });
    // The music rests while the page is hidden and plays on from there when it is shown again.
    var resumeWhenShown = false;
    document.addEventListener('visibilitychange', function() {
        if (document.hidden && context.state == 'running') {
            resumeWhenShown = true;
            context.suspend();
        } else if (!document.hidden && resumeWhenShown) {
            resumeWhenShown = false;
            context.resume();
        }
    });
    Module['audioContext'] = context;
    Module['audioNode'] = node;
    return 1;
});

EM_JS(void, stopWebAudio, (), {
    Module['audioNode'].disconnect();
    Module['audioContext'].close();
});
}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE float* fuzzletsFillSound(SoundDevice* device, int frames) {
    mixed.resize(size_t(frames) * size_t(device->channelCount()));
    device->feed(mixed.data(), frames);
    return mixed.data();
}

bool SoundDevice::open(int rate, int channelCount, int bufferFrames, SoundFill callback, void* callbackUser) {
    channels = channelCount;
    fill = callback;
    user = callbackUser;
    if (!startWebAudio(this, rate, channelCount, bufferFrames)) return false;
    device = WEB_AUDIO_DEVICE;
    return true;
}

void SoundDevice::close() {
    if (device == 0) return;
    stopWebAudio();
    device = 0;
}
