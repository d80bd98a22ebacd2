// Opens the viewer on the scene of closest2d_fixed14 and lets GLUT deliver its first reshape,
// then runs the tests in the same GL context.
#include "gl_harness.hpp"

#include "programs/driver.hpp"
#include "programs/fixed_set.hpp"
#include "viewer/viewer.hpp"

#include <cstdio>
#include <cstdlib>

Matrix startupProjection;
GLint startupMatrixMode;

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "These tests need an X display: run them through tools/with-xvfb.\n");
        return 1;
    }
    static ClosestPairRun<Point2> run = prepareRun(PointSource<Point2>{14, 0, fixedSet14});
    std::FILE* sink = std::fopen("/dev/null", "w");
    searchAndReport(run, sink);
    std::fclose(sink);
    addToScene(run);

    openViewer(argc, argv);
    startupProjection = currentMatrix(GL_PROJECTION_MATRIX);
    glGetIntegerv(GL_MATRIX_MODE, &startupMatrixMode);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    // Pump events until GLUT has delivered the first reshape, which replaces the projection.
    const int startMs = glutGet(GLUT_ELAPSED_TIME);
    while (currentMatrix(GL_PROJECTION_MATRIX) == startupProjection) {
        if (glutGet(GLUT_ELAPSED_TIME) - startMs > 10000) {
            std::fprintf(stderr, "The window never received its first reshape.\n");
            return 1;
        }
        glutMainLoopEvent();
    }
    return RUN_ALL_TESTS();
}
