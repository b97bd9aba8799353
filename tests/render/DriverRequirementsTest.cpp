// Which drivers the demo refuses, and what it tells their users.
#include <gtest/gtest.h>

#include "render/DriverRequirements.h"

TEST(DriverRequirements, OnlyADriverLackingSomethingIsRefusedAndTheMessageNamesWhatAndWhichDriver) {
    DriverFacts fit;
    fit.version = "2.0 Mesa 22.3.6";
    fit.renderer = "llvmpipe";
    fit.vendor = "Mesa";
    fit.framebufferObjects = fit.depthTextures = fit.depthComparison = fit.multitexture = true;
    EXPECT_EQ(driverRefusal(fit), "");  // no GLSL version given: OpenGL 2.0's own 1.10
    fit.shadingLanguageVersion = "1.10";
    EXPECT_EQ(driverRefusal(fit), "");

    DriverFacts old = fit;
    old.version = "1.4 Mesa 22.3.6";
    old.shadingLanguageVersion = "";
    EXPECT_EQ(driverRefusal(old), "Fuzzlets needs OpenGL 2.0 with framebuffer objects; this driver (llvmpipe from "
                                  "Mesa, OpenGL 1.4 Mesa 22.3.6) offers OpenGL 1.4.");

    DriverFacts lacking = fit;
    lacking.version = "3.3 (Compatibility Profile)";
    lacking.shadingLanguageVersion = "1.00 ES";
    lacking.framebufferObjects = lacking.multitexture = false;
    const std::string refusal = driverRefusal(lacking);
    EXPECT_EQ(refusal.substr(refusal.find(" offers")),
              " offers OpenGL 3.3 without GLSL 1.10, framebuffer objects and multitexture.");
    lacking.shadingLanguageVersion = "4.60 NVIDIA";
    lacking.framebufferObjects = lacking.multitexture = true;
    lacking.depthComparison = false;
    EXPECT_EQ(driverRefusal(lacking).substr(refusal.find(" offers")), " offers OpenGL 3.3 without depth texture comparison.");
}
