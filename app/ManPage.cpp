#include "app/ManPage.h"

#include "app/CommandLine.h"
#include "app/KeyTable.h"
#include "render/DriverRequirements.h"

namespace {
// Text as roff prints it literally: backslashes and hyphens escaped (a plain '-' may become a
// hyphen or break a line), and a leading '.' or '\'' not taken for a request.
std::string roff(const std::string& text) {
    std::string escaped = text.empty() || (text[0] != '.' && text[0] != '\'') ? "" : "\\&";
    for (char c : text) {
        if (c == '\\')
            escaped += "\\e";
        else if (c == '-')
            escaped += "\\-";
        else
            escaped += c;
    }
    return escaped;
}

// Each key line as a tagged paragraph: the key's name in bold, then what it does. The name ends
// where the padding starts.
std::string keySection() {
    std::string section = ".SH KEYS\n";
    for (int line = 0; line < KEY_TABLE_LINES; ++line) {
        const std::string text = KEY_TABLE[line];
        const size_t padding = text.find("  ");
        const size_t action = text.find_first_not_of(' ', padding);
        section += ".TP 10\n.B " + roff(text.substr(0, padding)) + "\n" + roff(text.substr(action)) + "\n";
    }
    return section;
}
}  // namespace

std::string manPageText() {
    std::string version = versionText();
    version.pop_back();  // its newline
    return ".TH FUZZLETS 6 \"\" \"" + roff(version) + "\" \"Games Manual\"\n" +
           ".SH NAME\n"
           "fuzzlets \\- six fur balls in a closed room, a wandering light and a music loop\n"
           ".SH SYNOPSIS\n"
           ".B fuzzlets\n"
           "[\\fB\\-\\-help\\fR] [\\fB\\-\\-version\\fR] [\\fIGLUT options\\fR]\n"
           ".SH DESCRIPTION\n"
           "A small real\\-time OpenGL demo. Six furry balls bounce, roll and leap in a room of\n"
           "seventies wallpaper under a wandering light, while a music loop plays and its bass bends\n"
           "their fur. The balls are drawn as stacked fur shells and cast soft shadows through a\n"
           "shadow map.\n"
           ".SH OPTIONS\n"
           ".TP\n.B \\-\\-help\nList the keys and end.\n"
           ".TP\n.B \\-\\-version\nPrint the version and end.\n"
           ".TP\n\\fB\\-display\\fR \\fIname\\fR, \\fB\\-geometry\\fR \\fIWxH+X+Y\\fR, ...\n"
           "Any other argument goes to GLUT.\n" +
           keySection() +
           ".PP\nA flight key moves the camera until any key is released.\n"
           ".SH FILES\n"
           ".TP\n.I share/fuzzlets/\n"
           "The shaders, images and music, installed beside the program's\n.IR bin/ .\n"
           "When the working directory holds\n.IR shader/glsl/ ,\n.I media/\nand\n.IR media/textures/ ,\n"
           "those are used instead.\n"
           ".SH REQUIREMENTS\n"
           "OpenGL 2.0 (GLSL 1.10) with framebuffer objects, depth textures with comparison and\n"
           "multitexture. Where the driver lacks any of them, the program opens no scene: it prints\n"
           "what is missing and which driver it found (its renderer, vendor and OpenGL version) and\n"
           "ends with status " + std::to_string(DRIVER_LACKS_STATUS) + ".\n"
           ".SH EXIT STATUS\n"
           "0 after Escape; 2 after a wrong option; " + std::to_string(DRIVER_LACKS_STATUS) +
           " when the OpenGL driver lacks what the demo needs;\n"
           "128 plus the signal's number after SIGINT, SIGTERM or SIGHUP, once the music has stopped\n"
           "and the scene is freed.\n";
}
