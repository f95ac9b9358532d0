#pragma once

#include "MMatrix"

namespace DAvuroD {

class GraphX;

// A wire-frame object: vertices joined by edges, turned about the three axes
// in whole degrees, moved, zoomed and drawn on any surface through a fixed
// central projection. Erasing draws the same figure in the erasing colour.
// Edges whose ends do not project onto a bounded plane are not drawn.
class G3D
{
public:
    // Copies vertexCount x 3 coordinates (x, y, z per vertex) and
    // edgeCount x 2 vertex indices.
    G3D(const int& vertexCount, float* coordinates, const int& edgeCount, int* edgeList,
        const int& color, const int& eraseColor, const float& xOffset, const float& yOffset,
        const float& zOffset);
    G3D(const G3D&) = delete;
    G3D& operator=(const G3D&) = delete;

    // The line between the projections of vertices a and b.
    virtual void verbinden(GraphX* g, const int& a, const int& b, const int& color) const;
    virtual ~G3D();
    virtual void drawAllgemein(GraphX* g, const int& color) const;
    virtual void draw(GraphX* g) const;
    virtual void drawVertex(GraphX* g) const;
    virtual void del(GraphX* g) const;
    virtual void delVertex(GraphX* g) const;
    // Turn every vertex about an axis; any whole degree, taken modulo 360.
    virtual void xDrehen(const int& degrees);
    virtual void yDrehen(const int& degrees);
    virtual void zDrehen(const int& degrees);
    virtual void xVerschieben(const float& d);
    virtual void yVerschieben(const float& d);
    // Kept, but the projection does not use it.
    virtual void zVerschieben(const float& d);
    virtual void zoom(const float& factor);
    // The number of objects alive.
    virtual int objectCounter() const;
    // For all objects: screen = p0 x coordinate / (p1 + z) + offset.
    virtual void setPerspective(const int& p0, const int& p1);

protected:
    MMatrix<float> m_vertices;
    MMatrix<int> m_edges;
    MMatrix<float> m_xRotation;
    MMatrix<float> m_yRotation;
    MMatrix<float> m_zRotation;
    int m_nColor;
    int m_nEraseColor;
    float m_fXOffset;
    float m_fYOffset;
    float m_fZOffset;

    static int sm_perspective[2];
    static int sm_nObjectCounter;

private:
    bool project(int vertex, int& x, int& y) const;
    void drawVertices(GraphX* g, int color) const;
    void rotate(MMatrix<float>& rotation, int degrees, int row, int column);
};

} // namespace DAvuroD
