#include "gles/Programs.h"

#include <cstdio>
#include <string>
#include <unordered_map>

#include "gles/ContextObjects.h"
#include "gles/LegacyGl.h"
#include "gles/LegacyState.h"
#include "gles/ShaderInterface.h"
#include "gles/ShaderPrelude.h"
#include "gles/Unhandled.h"

namespace {
// Where a program reads each piece of the layer's state; -1 where it does not.
struct ProgramUniforms {
    GLint modelView = -1, projection = -1, modelViewProjection = -1, normalMatrix = -1;
    GLint lightAmbient = -1, lightDiffuse = -1, lightSpecular = -1, lightPosition = -1, lightHalfVector = -1;
    GLint materialEmission = -1, materialAmbient = -1, materialDiffuse = -1, materialSpecular = -1,
          materialShininess = -1;
    GLint lightModelAmbient = -1;
    GLint productAmbient = -1, productDiffuse = -1, productSpecular = -1;
    GLint fixedTexturing = -1, depthAsLuminance = -1;
    // Of the state last handed over; the state's own start at 1.
    unsigned matricesRevision = 0, lightingRevision = 0;
    // The fixed-function program's own uniforms as last set: -1 before the first draw.
    GLint fixedTexturingSet = -1, depthAsLuminanceSet = -1;
};

const char* const FIXED_TEXTURING_UNIFORM = "fz_fixedTexturing";
const char* const DEPTH_AS_LUMINANCE_UNIFORM = "fz_depthAsLuminance";

// The program's own programs are the program's to make again; what was found in them goes.
std::unordered_map<GLuint, ProgramUniforms>& programUniforms() {
    static ContextObjects<std::unordered_map<GLuint, ProgramUniforms>> table;
    return table.value;
}

GLint member(GLuint program, const char* structName, const char* arrayIndex, const char* field) {
    return glGetUniformLocation(program, (std::string(structName) + arrayIndex + "." + field).c_str());
}

ProgramUniforms findUniforms(GLuint program) {
    ProgramUniforms u;
    u.modelView = glGetUniformLocation(program, MODEL_VIEW_UNIFORM);
    u.projection = glGetUniformLocation(program, PROJECTION_UNIFORM);
    u.modelViewProjection = glGetUniformLocation(program, MODEL_VIEW_PROJECTION_UNIFORM);
    u.normalMatrix = glGetUniformLocation(program, NORMAL_MATRIX_UNIFORM);
    u.lightAmbient = member(program, LIGHT_SOURCE_UNIFORM, "[0]", "ambient");
    u.lightDiffuse = member(program, LIGHT_SOURCE_UNIFORM, "[0]", "diffuse");
    u.lightSpecular = member(program, LIGHT_SOURCE_UNIFORM, "[0]", "specular");
    u.lightPosition = member(program, LIGHT_SOURCE_UNIFORM, "[0]", "position");
    u.lightHalfVector = member(program, LIGHT_SOURCE_UNIFORM, "[0]", "halfVector");
    u.materialEmission = member(program, FRONT_MATERIAL_UNIFORM, "", "emission");
    u.materialAmbient = member(program, FRONT_MATERIAL_UNIFORM, "", "ambient");
    u.materialDiffuse = member(program, FRONT_MATERIAL_UNIFORM, "", "diffuse");
    u.materialSpecular = member(program, FRONT_MATERIAL_UNIFORM, "", "specular");
    u.materialShininess = member(program, FRONT_MATERIAL_UNIFORM, "", "shininess");
    u.lightModelAmbient = member(program, LIGHT_MODEL_UNIFORM, "", "ambient");
    u.productAmbient = member(program, FRONT_LIGHT_PRODUCT_UNIFORM, "[0]", "ambient");
    u.productDiffuse = member(program, FRONT_LIGHT_PRODUCT_UNIFORM, "[0]", "diffuse");
    u.productSpecular = member(program, FRONT_LIGHT_PRODUCT_UNIFORM, "[0]", "specular");
    u.fixedTexturing = glGetUniformLocation(program, FIXED_TEXTURING_UNIFORM);
    u.depthAsLuminance = glGetUniformLocation(program, DEPTH_AS_LUMINANCE_UNIFORM);
    return u;
}

// A location the program does not have (-1), or a value it has already, is not worth a call.
void setInt(GLint location, GLint& set, GLint value) {
    if (location < 0 || set == value) return;
    glUniform1i(location, value);
    set = value;
}

void setMatrix4(GLint location, const Matrix& m) {
    if (location >= 0) glUniformMatrix4fv(location, 1, GL_FALSE, m.m);
}

void setVec4(GLint location, const float* v) {
    if (location >= 0) glUniform4fv(location, 1, v);
}

void handOverMatrices(const LegacyState& state, ProgramUniforms& u) {
    const Matrix& modelView = state.modelView.back();
    const Matrix& projection = state.projection.back();
    setMatrix4(u.modelView, modelView);
    setMatrix4(u.projection, projection);
    if (u.modelViewProjection >= 0) setMatrix4(u.modelViewProjection, projection * modelView);
    if (u.normalMatrix >= 0) {
        float normals[9];
        normalMatrix(modelView, normals);
        glUniformMatrix3fv(u.normalMatrix, 1, GL_FALSE, normals);
    }
    u.matricesRevision = state.matricesRevision;
}

void handOverLighting(const LegacyState& state, ProgramUniforms& u) {
    const LightSource& light = state.light0;
    setVec4(u.lightAmbient, light.ambient);
    setVec4(u.lightDiffuse, light.diffuse);
    setVec4(u.lightSpecular, light.specular);
    setVec4(u.lightPosition, light.position);
    setVec4(u.lightHalfVector, light.halfVector);
    const Material& material = state.frontMaterial;
    setVec4(u.materialEmission, material.emission);
    setVec4(u.materialAmbient, material.ambient);
    setVec4(u.materialDiffuse, material.diffuse);
    setVec4(u.materialSpecular, material.specular);
    if (u.materialShininess >= 0) glUniform1f(u.materialShininess, material.shininess);
    setVec4(u.lightModelAmbient, state.lightModelAmbient);
    setVec4(u.productAmbient, state.frontLightProduct.ambient);
    setVec4(u.productDiffuse, state.frontLightProduct.diffuse);
    setVec4(u.productSpecular, state.frontLightProduct.specular);
    u.lightingRevision = state.lightingRevision;
}

// The program the driver has current; a restored context has none.
GLuint& boundProgram() {
    static ContextObjects<GLuint> bound;
    return bound.value;
}

void bind(GLuint program) {
    if (boundProgram() == program) return;
    glUseProgram(program);
    boundProgram() = program;
}

ProgramUniforms& use(GLuint program) {
    bind(program);
    const LegacyState& state = legacyState();
    auto found = programUniforms().find(program);
    // A program linked before the layer saw it (none in this program) is looked up on first use.
    if (found == programUniforms().end()) found = programUniforms().emplace(program, findUniforms(program)).first;
    ProgramUniforms& uniforms = found->second;
    if (uniforms.matricesRevision != state.matricesRevision) handOverMatrices(state, uniforms);
    if (uniforms.lightingRevision != state.lightingRevision) handOverLighting(state, uniforms);
    checkSamplerTextures(program);
    return uniforms;
}

// Fixed function without lighting (the program switches it off for every fixed-function draw):
// the vertex colour, textured from unit 0 as its environment says.
const char* const FIXED_VERTEX_SHADER =
    "COLOUR_INTERPOLATION varying vec4 colour;\n"
    "varying vec2 texCoord;\n"
    "void main() {\n"
    "    colour = gl_Color;\n"
    "    texCoord = gl_MultiTexCoord0.st;\n"
    "    gl_Position = ftransform();\n"
    "}\n";
const char* const FIXED_FRAGMENT_SHADER =
    "uniform sampler2D fz_texture0;\n"
    "uniform int fz_fixedTexturing;\n"
    "uniform bool fz_depthAsLuminance;\n"
    "COLOUR_INTERPOLATION varying vec4 colour;\n"
    "varying vec2 texCoord;\n"
    "void main() {\n"
    "    if (fz_fixedTexturing == TEXTURING_OFF) { gl_FragColor = colour; return; }\n"
    "    vec4 texel = texture2D(fz_texture0, texCoord);\n"
    "    if (fz_depthAsLuminance) texel = vec4(texel.rrr, 1.0);\n"
    "    if (fz_fixedTexturing == TEXTURING_MODULATE) gl_FragColor = colour * texel;\n"
    "    else if (fz_fixedTexturing == TEXTURING_REPLACE) gl_FragColor = texel;\n"
    "    else if (texel.a < 0.5) discard;\n"  // a bitmap: set bits take the raster colour
    "    else gl_FragColor = colour;\n"
    "}\n";

std::string texturingDefines(const char* interpolation) {
    const auto define = [](const char* name, FixedTexturing value) {
        return std::string("#define ") + name + " " + std::to_string(GLint(value)) + "\n";
    };
    return std::string("#define COLOUR_INTERPOLATION ") + interpolation + "\n" +
           define("TEXTURING_OFF", FixedTexturing::Off) + define("TEXTURING_MODULATE", FixedTexturing::Modulate) +
           define("TEXTURING_REPLACE", FixedTexturing::Replace);
}

// GL_FLAT takes each primitive's colour from its last vertex, as ES 3.0's flat qualifier does.
GLuint fixedFunctionProgram(GLenum shadeModel) {
    const auto release = [](const GLuint& program) { glDeleteProgram(program); };
    static ContextObjects<GLuint> flat(release), smooth(release);
    const bool isFlat = shadeModel == GL_FLAT;
    GLuint& program = (isFlat ? flat : smooth).value;
    if (!program)
        program = buildLayerProgram(FIXED_VERTEX_SHADER, FIXED_FRAGMENT_SHADER, texturingDefines(isFlat ? "flat" : "").c_str());
    return program;
}

GLuint compileStage(GLenum type, const std::string& defines, const char* body) {
    const std::string text = glslEsVersionBlock(type) + defines + body;
    const char* source = text.c_str();
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        char log[1024] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "GL layer: its fixed-function shader failed: %s\n", log);
    }
    return shader;
}
}  // namespace

GLuint buildLayerProgram(const char* vertexBody, const char* fragmentBody, const char* extraDefines) {
    const GLuint program = glCreateProgram();
    const GLuint vertex = compileStage(GL_VERTEX_SHADER, extraDefines, vertexBody);
    const GLuint fragment = compileStage(GL_FRAGMENT_SHADER, extraDefines, fragmentBody);
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    fzglLinkProgram(program);
    // Flagged for deletion, the shaders go with the program.
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    return program;
}

void fzglLinkProgram(GLuint program) {
    for (GLuint attribute = 0; attribute < VERTEX_ATTRIBUTE_COUNT; ++attribute)
        glBindAttribLocation(program, attribute, VERTEX_ATTRIBUTE_NAMES[attribute]);
    glLinkProgram(program);
    programUniforms()[program] = findUniforms(program);
}

void fzglUseProgram(GLuint program) {
    legacyState().program = program;
    bind(program);
}

// A name deleted while current may come back for a new program, which must then be bound.
void fzglDeleteProgram(GLuint program) {
    programUniforms().erase(program);
    if (boundProgram() == program) bind(0);
    glDeleteProgram(program);
}

void prepareDraw() {
    const LegacyState& state = legacyState();
    if (state.program != 0) {
        use(state.program);
        return;
    }
    const TextureUnitState& unit0 = state.units[0];
    if (!unit0.texture2D)
        prepareFixedFunctionDraw(FixedTexturing::Off);
    else
        prepareFixedFunctionDraw(unit0.environmentMode == GL_REPLACE ? FixedTexturing::Replace : FixedTexturing::Modulate);
}

void prepareFixedFunctionDraw(FixedTexturing texturing) {
    const LegacyState& state = legacyState();
    ProgramUniforms& uniforms = use(fixedFunctionProgram(state.shadeModel));
    setInt(uniforms.fixedTexturing, uniforms.fixedTexturingSet, GLint(texturing));
    setInt(uniforms.depthAsLuminance, uniforms.depthAsLuminanceSet,
           GLint(state.luminanceDepthTextures.count(state.units[0].boundTexture)));
}
