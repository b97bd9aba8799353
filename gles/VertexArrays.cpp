#include "gles/VertexArrays.h"

#include <algorithm>

#include "gles/ContextObjects.h"
#include "gles/LegacyState.h"

namespace {
// What the driver was last told: each attribute's array, or the current value it was handed
// (unknown after an array, whose draws leave the value undefined).
struct DriverAttribute {
    AttributeArray array;
    bool enabled = false;
    bool currentKnown = false;
    float current[4] = {};
};

struct DriverArrays {
    DriverAttribute attributes[VERTEX_ATTRIBUTE_COUNT];
    GLuint arrayBuffer = 0;
};

// A restored context starts with every array off and nothing bound, as the default says.
DriverArrays& driver() {
    static ContextObjects<DriverArrays> arrays;
    return arrays.value;
}

const float* currentValue(const CurrentVertex& current, int attribute) {
    switch (attribute) {
    case NORMAL_ATTRIBUTE: return current.normal;
    case TEX_COORD0_ATTRIBUTE: return current.texCoord[0];
    case TEX_COORD1_ATTRIBUTE: return current.texCoord[1];
    default: return current.colour;
    }
}

bool sameArray(const AttributeArray& a, const AttributeArray& b) {
    return a.components == b.components && a.buffer == b.buffer && a.stride == b.stride && a.offset == b.offset;
}

// A normal has three components; its fourth is never read.
int currentComponents(GLuint attribute) { return attribute == NORMAL_ATTRIBUTE ? 3 : 4; }

void pointAtCurrentValue(GLuint attribute, DriverAttribute& told) {
    if (told.enabled) glDisableVertexAttribArray(attribute);
    told.enabled = false;
    const float* value = currentValue(legacyState().current, int(attribute));
    const int count = currentComponents(attribute);
    if (told.currentKnown && std::equal(value, value + count, told.current)) return;
    if (count == 3)
        glVertexAttrib3fv(attribute, value);
    else
        glVertexAttrib4fv(attribute, value);
    std::copy(value, value + count, told.current);
    told.currentKnown = true;
}

void pointAtArray(GLuint attribute, const AttributeArray& array, DriverAttribute& told) {
    if (!told.enabled) glEnableVertexAttribArray(attribute);
    told.enabled = true;
    told.currentKnown = false;
    if (sameArray(told.array, array)) return;
    bindArrayBuffer(array.buffer);
    glVertexAttribPointer(attribute, array.components, GL_FLOAT, GL_FALSE, array.stride,
                          reinterpret_cast<const void*>(array.offset));
    told.array = array;
}
}  // namespace

AttributeArrays interleaved(GLuint buffer, const VertexLayout& layout) {
    AttributeArrays arrays;
    const GLsizei stride = GLsizei(layout.floatsPerVertex * sizeof(float));
    std::uintptr_t offset = 0;
    for (GLuint attribute = 0; attribute < VERTEX_ATTRIBUTE_COUNT; ++attribute) {
        const GLint count = layout.components[attribute];
        if (count == 0) continue;
        arrays.attributes[attribute] = {count, buffer, stride, offset};
        offset += std::uintptr_t(count) * sizeof(float);
    }
    return arrays;
}

void pointAttributes(const AttributeArrays& arrays) {
    for (GLuint attribute = 0; attribute < VERTEX_ATTRIBUTE_COUNT; ++attribute) {
        const AttributeArray& array = arrays.attributes[attribute];
        DriverAttribute& told = driver().attributes[attribute];
        if (array.components == 0)
            pointAtCurrentValue(attribute, told);
        else
            pointAtArray(attribute, array, told);
    }
}

void bindArrayBuffer(GLuint buffer) {
    if (driver().arrayBuffer == buffer) return;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    driver().arrayBuffer = buffer;
}

void forgetBuffer(GLuint buffer) {
    DriverArrays& told = driver();
    if (told.arrayBuffer == buffer) told.arrayBuffer = 0;
    // The attribute keeps pointing at the deleted storage until pointed again: point it again.
    for (DriverAttribute& attribute : told.attributes)
        if (attribute.array.buffer == buffer) attribute.array = {};
}
