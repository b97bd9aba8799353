#include "gles/ShaderPrelude.h"

#include "gles/ShaderInterface.h"

namespace {
std::string defineAs(const char* name, const std::string& replacement) {
    return std::string("#define ") + name + " " + replacement + "\n";
}

// GL 2.0's built-in uniform structs, under names of the layer's.
std::string uniforms() {
    return std::string(
               "struct fz_LightSourceParameters { vec4 ambient; vec4 diffuse; vec4 specular; vec4 position; vec4 halfVector; };\n"
               "struct fz_MaterialParameters { vec4 emission; vec4 ambient; vec4 diffuse; vec4 specular; float shininess; };\n"
               "struct fz_LightModelParameters { vec4 ambient; };\n"
               "struct fz_LightProducts { vec4 ambient; vec4 diffuse; vec4 specular; };\n"
               "uniform fz_LightSourceParameters ") + LIGHT_SOURCE_UNIFORM + "[1];\n" +
           "uniform fz_MaterialParameters " + FRONT_MATERIAL_UNIFORM + ";\n" +
           "uniform fz_LightModelParameters " + LIGHT_MODEL_UNIFORM + ";\n" +
           "uniform fz_LightProducts " + FRONT_LIGHT_PRODUCT_UNIFORM + "[1];\n" +
           "uniform mat4 " + MODEL_VIEW_UNIFORM + ";\n" +
           "uniform mat4 " + PROJECTION_UNIFORM + ";\n" +
           "uniform mat4 " + MODEL_VIEW_PROJECTION_UNIFORM + ";\n" +
           "uniform mat3 " + NORMAL_MATRIX_UNIFORM + ";\n" +
           defineAs("gl_LightSource", LIGHT_SOURCE_UNIFORM) +
           defineAs("gl_FrontMaterial", FRONT_MATERIAL_UNIFORM) +
           defineAs("gl_LightModel", LIGHT_MODEL_UNIFORM) +
           defineAs("gl_FrontLightProduct", FRONT_LIGHT_PRODUCT_UNIFORM) +
           defineAs("gl_ModelViewMatrix", MODEL_VIEW_UNIFORM) +
           defineAs("gl_ProjectionMatrix", PROJECTION_UNIFORM) +
           defineAs("gl_ModelViewProjectionMatrix", MODEL_VIEW_PROJECTION_UNIFORM) +
           defineAs("gl_NormalMatrix", NORMAL_MATRIX_UNIFORM);
}

// GLSL 1.20's texture functions; a shadow lookup gives a float in ES, a vector in 1.20.
std::string textureFunctions() {
    return defineAs("texture2D", "texture") +
           defineAs("shadow2D(sampler, coordinate)", "vec4(texture(sampler, coordinate))") +
           defineAs("shadow2DProj(sampler, coordinate)", "vec4(textureProj(sampler, coordinate))");
}

std::string vertexInterface() {
    static const char* const TYPES[VERTEX_ATTRIBUTE_COUNT] = {"vec4", "vec3", "vec4", "vec4", "vec4"};
    static const char* const BUILT_INS[VERTEX_ATTRIBUTE_COUNT] = {"gl_Vertex", "gl_Normal", "gl_MultiTexCoord0",
                                                                  "gl_MultiTexCoord1", "gl_Color"};
    std::string text = defineAs("attribute", "in") + defineAs("varying", "out");
    for (unsigned i = 0; i < VERTEX_ATTRIBUTE_COUNT; ++i)
        text += std::string("in ") + TYPES[i] + " " + VERTEX_ATTRIBUTE_NAMES[i] + ";\n" +
                defineAs(BUILT_INS[i], VERTEX_ATTRIBUTE_NAMES[i]);
    return text + defineAs("ftransform()", std::string("(") + MODEL_VIEW_PROJECTION_UNIFORM + " * " +
                                                VERTEX_ATTRIBUTE_NAMES[VERTEX_ATTRIBUTE] + ")") +
           "out vec4 fz_texCoord[1];\n" + defineAs("gl_TexCoord", "fz_texCoord");
}

std::string fragmentInterface() {
    return defineAs("varying", "in") + "in vec4 fz_texCoord[1];\n" + defineAs("gl_TexCoord", "fz_texCoord") +
           "out vec4 fz_fragColor;\n" + defineAs("gl_FragColor", "fz_fragColor");
}
}  // namespace

std::string glslEsVersionBlock(GLenum shaderType) {
    return std::string("#version 300 es\n"
                       "precision highp float;\n"
                       // Shadow samplers have no default precision.
                       "precision highp sampler2DShadow;\n") +
           uniforms() + textureFunctions() + (shaderType == GL_VERTEX_SHADER ? vertexInterface() : fragmentInterface());
}
