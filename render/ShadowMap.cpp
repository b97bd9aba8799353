#include "render/ShadowMap.h"

#include <cstdio>

#include "render/TextureUnits.h"

ShadowTarget createShadowTarget(int size) {
    ShadowTarget target;
    target.size = size;
    glGenFramebuffersEXT(1, &target.framebuffer);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.framebuffer);
    glGenTextures(1, &target.depthTexture);
    glBindTexture(GL_TEXTURE_2D, target.depthTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, size, size, 0,
                 GL_DEPTH_COMPONENT, GL_UNSIGNED_BYTE, nullptr);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_TEXTURE_2D,
                              target.depthTexture, 0);
    // A depth-only target needs no colour buffer once draw and read buffers are off.
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    const GLenum status = glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
    if (status != GL_FRAMEBUFFER_COMPLETE_EXT) {
        std::printf("shadow framebuffer incomplete (0x%x): balls will cast no shadows\n", status);
        std::fflush(stdout);
    }
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    return target;
}

void deleteShadowTarget(const ShadowTarget& target) {
    glDeleteFramebuffersEXT(1, &target.framebuffer);
    glDeleteTextures(1, &target.depthTexture);
}

void beginShadowPass(const ShadowTarget& target, Light& light, ProgramTable& programs) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.framebuffer);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    // The window's viewport comes back with the attribute pop in endShadowPass.
    glPushAttrib(GL_VIEWPORT_BIT);
    glViewport(0, 0, target.size, target.size);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_DEPTH_BUFFER_BIT);
    // Storing the faces turned away from the light keeps lit surfaces off their own shadow.
    glCullFace(GL_FRONT);
    glEnable(GL_POLYGON_OFFSET_FILL);

    light.computeLightMatrix();

    programs.use("depth");
    programs.setInt("depth", "depthTex", FUR_SHADOW_MAP_UNIT);
    programs.setInt("depth", "furTex", FUR_SHELL_UNIT);
    glActiveTexture(glTextureUnit(FUR_SHADOW_MAP_UNIT));
    glBindTexture(GL_TEXTURE_2D, target.depthTexture);
    glActiveTexture(glTextureUnit(FUR_SHELL_UNIT));
}

void endShadowPass() {
    glCullFace(GL_BACK);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
    glPopAttrib();
}

Matrix4 applyShadowLookup(const ShadowTarget& target, const Matrix4& lightMatrix,
                          const Matrix4& inverseViewMatrix) {
    const Matrix4 texMatrix = multiplyMatrix4(lightMatrix, inverseViewMatrix);
    glBindTexture(GL_TEXTURE_2D, target.depthTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_R_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glMatrixMode(GL_MODELVIEW);
    return texMatrix;
}
