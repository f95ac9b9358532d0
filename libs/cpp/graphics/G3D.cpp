#include "G3D.h"

#include "GraphX.h"
#include "Math.h"

#include <cmath>

namespace DAvuroD {

namespace {

// Projections beyond this distance from the origin are not drawn, so that no
// line or circle becomes unboundedly long.
constexpr float PlaneLimit = 65536;

MMatrix<float> identity()
{
    MMatrix<float> matrix(3, 3, 0);
    for (int i = 0; i < 3; ++i)
        matrix.setElement(i, i, 1);
    return matrix;
}

} // namespace

int G3D::sm_perspective[2] = {20000, 19950};
int G3D::sm_nObjectCounter = 0;

G3D::G3D(const int& vertexCount, float* coordinates, const int& edgeCount, int* edgeList,
    const int& color, const int& eraseColor, const float& xOffset, const float& yOffset,
    const float& zOffset)
    : m_vertices(coordinates, vertexCount, 3)
    , m_edges(edgeList, edgeCount, 2)
    , m_xRotation(identity())
    , m_yRotation(identity())
    , m_zRotation(identity())
    , m_nColor(color)
    , m_nEraseColor(eraseColor)
    , m_fXOffset(xOffset)
    , m_fYOffset(yOffset)
    , m_fZOffset(zOffset)
{
    ++sm_nObjectCounter;
}

G3D::~G3D()
{
    --sm_nObjectCounter;
}

// False for a vertex that does not exist or whose projection is not a
// bounded point (at or near z = -p1).
bool G3D::project(int vertex, int& x, int& y) const
{
    if (vertex < 0 || vertex >= m_vertices.nrows())
        return false;
    const float p0 = float(sm_perspective[0]);
    const float depth = float(sm_perspective[1]) + m_vertices(vertex, 2);
    const float sx = (p0 * m_vertices(vertex, 0)) / depth + m_fXOffset;
    const float sy = (p0 * m_vertices(vertex, 1)) / depth + m_fYOffset;
    if (!(std::abs(sx) < PlaneLimit && std::abs(sy) < PlaneLimit))
        return false;
    x = int(sx);
    y = int(sy);
    return true;
}

void G3D::verbinden(GraphX* g, const int& a, const int& b, const int& color) const
{
    int xa, ya, xb, yb;
    if (g && project(a, xa, ya) && project(b, xb, yb))
        g->line(xa, ya, xb, yb, color);
}

void G3D::drawAllgemein(GraphX* g, const int& color) const
{
    for (int edge = 0; edge < m_edges.nrows(); ++edge)
        verbinden(g, m_edges(edge, 0), m_edges(edge, 1), color);
}

void G3D::draw(GraphX* g) const
{
    drawAllgemein(g, m_nColor);
}

void G3D::del(GraphX* g) const
{
    drawAllgemein(g, m_nEraseColor);
}

void G3D::drawVertices(GraphX* g, int color) const
{
    for (int vertex = 0; vertex < m_vertices.nrows(); ++vertex) {
        int x, y;
        if (g && project(vertex, x, y))
            g->circle(x, y, 1, color);
    }
}

void G3D::drawVertex(GraphX* g) const
{
    drawVertices(g, m_nColor);
}

void G3D::delVertex(GraphX* g) const
{
    drawVertices(g, m_nEraseColor);
}

// Puts s at (row, column), -s at (column, row) and c on both diagonal
// entries, then vertices = vertices x rotation.
void G3D::rotate(MMatrix<float>& rotation, int degrees, int row, int column)
{
    const float c = ZAruri::Math::cos(degrees);
    const float s = ZAruri::Math::sin(degrees);
    rotation.setElement(row, row, c);
    rotation.setElement(row, column, s);
    rotation.setElement(column, row, -s);
    rotation.setElement(column, column, c);
    mult(m_vertices, rotation, m_vertices);
}

void G3D::xDrehen(const int& degrees)
{
    rotate(m_xRotation, degrees, 2, 1);
}

void G3D::yDrehen(const int& degrees)
{
    rotate(m_yRotation, degrees, 0, 2);
}

void G3D::zDrehen(const int& degrees)
{
    rotate(m_zRotation, degrees, 0, 1);
}

void G3D::xVerschieben(const float& d)
{
    m_fXOffset += d;
}

void G3D::yVerschieben(const float& d)
{
    m_fYOffset += d;
}

void G3D::zVerschieben(const float& d)
{
    m_fZOffset += d;
}

void G3D::zoom(const float& factor)
{
    scale(m_vertices, factor);
}

int G3D::objectCounter() const
{
    return sm_nObjectCounter;
}

void G3D::setPerspective(const int& p0, const int& p1)
{
    sm_perspective[0] = p0;
    sm_perspective[1] = p1;
}

} // namespace DAvuroD
