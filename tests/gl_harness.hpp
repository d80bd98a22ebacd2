// In-process GL tests: the window of closest2d_fixed14, opened once per test program by
// gl_main.cpp under a real X server, and 4x4 matrix arithmetic to state expected matrices.
#pragma once

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

using Matrix = std::array<double, 16>; // column-major, as GL stores it

// The projection as openViewer left it, before GLUT's first reshape.
extern Matrix startupProjection;
extern GLint startupMatrixMode;

inline Matrix multiply(const Matrix& a, const Matrix& b)
{
    Matrix r{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                r[col * 4 + row] += a[k * 4 + row] * b[col * 4 + k];
    return r;
}

inline Matrix identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

inline Matrix translation(double x, double y, double z)
{
    Matrix m = identity();
    m[12] = x, m[13] = y, m[14] = z;
    return m;
}

inline Matrix scaling(double s)
{
    Matrix m = identity();
    m[0] = m[5] = m[10] = s;
    return m;
}

inline Matrix rotationZ(double degrees)
{
    const double a = degrees * std::numbers::pi / 180;
    Matrix m = identity();
    m[0] = std::cos(a), m[1] = std::sin(a), m[4] = -std::sin(a), m[5] = std::cos(a);
    return m;
}

// 60 degrees vertical field of view, near 1, far 1000.
inline Matrix perspective(double aspect)
{
    const double f = 1 / std::tan(30 * std::numbers::pi / 180);
    Matrix m{};
    m[0] = f / aspect, m[5] = f, m[10] = -1001.0 / 999, m[11] = -1, m[14] = -2000.0 / 999;
    return m;
}

inline Matrix currentMatrix(GLenum which)
{
    Matrix m;
    glGetDoublev(which, m.data());
    return m;
}

// GL keeps single-precision matrices: compare to a relative 1e-6 of the largest entry.
inline testing::AssertionResult matricesNear(const Matrix& actual, const Matrix& expected)
{
    double scale = 0;
    for (double v : expected)
        scale = std::fmax(scale, std::fabs(v));
    for (int i = 0; i < 16; ++i)
        if (std::fabs(actual[i] - expected[i]) > 1e-6 * scale)
            return testing::AssertionFailure() << "entry " << i << ": " << actual[i] << " != " << expected[i];
    return testing::AssertionSuccess();
}
