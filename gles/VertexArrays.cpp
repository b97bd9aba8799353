#include "gles/VertexArrays.h"

#include <cstdint>

#include "gles/LegacyState.h"

namespace {
const float* currentValue(const CurrentVertex& current, int attribute) {
    switch (attribute) {
    case NORMAL_ATTRIBUTE: return current.normal;
    case TEX_COORD0_ATTRIBUTE: return current.texCoord[0];
    case TEX_COORD1_ATTRIBUTE: return current.texCoord[1];
    default: return current.colour;
    }
}
}  // namespace

void pointAttributes(GLuint buffer, const VertexLayout& layout) {
    const CurrentVertex& current = legacyState().current;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    std::uintptr_t offset = 0;
    for (GLuint attribute = 0; attribute < VERTEX_ATTRIBUTE_COUNT; ++attribute) {
        const GLint count = layout.components[attribute];
        if (count == 0) {
            glDisableVertexAttribArray(attribute);
            if (attribute == NORMAL_ATTRIBUTE)
                glVertexAttrib3fv(attribute, current.normal);
            else
                glVertexAttrib4fv(attribute, currentValue(current, int(attribute)));
            continue;
        }
        glEnableVertexAttribArray(attribute);
        glVertexAttribPointer(attribute, count, GL_FLOAT, GL_FALSE, GLsizei(layout.floatsPerVertex * sizeof(float)), reinterpret_cast<const void*>(offset));
        offset += std::uintptr_t(count) * sizeof(float);
    }
}
