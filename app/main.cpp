// Fuzzlets: six furry balls in a closed room, a wandering light, shadows and a music loop.
#include <GL/glew.h>
#include <GL/freeglut.h>

#include "app/Scene.h"
#include "app/Window.h"

int main(int argc, char** argv) {
    startFuzzlets(&argc, argv);
    glutMainLoop();
    if (scene) Scene::destroyInstance();
    return 0;
}
