// The running program as the lab reaches it: its calls (web/LabCalls.cpp), the folder it reads
// its shaders from, and the page's message list.
'use strict';
var Lab = {};

// Where the program reads its shaders, in its file system: the files the desktop reads from
// shader/glsl/, preloaded.
Lab.SHADER_FOLDER = '/shader/glsl/';

// A call into the program; its answer is a text.
Lab.call = function(name, ...args) {
  return Module.ccall(name, 'string', args.map(value => typeof value), args);
};

// A line in the page's message list, under the picture (show() is the page's own).
Lab.say = function(text, isError) {
  show(text, isError);
};

// A setting's value as `--set` spells it, or the empty text for a name the program lacks.
Lab.settingValue = function(name) {
  return Lab.call('fuzzletsSettingValue', name);
};

// What is wrong with "name=value", or the empty text; applied where `apply` is true.
Lab.setSetting = function(assignment, apply) {
  return Lab.call('fuzzletsSetSetting', assignment, apply ? 1 : 0);
};
