#pragma once

#include <QMatrix4x4>
#include <QStringList>
#include <QVector2D>
#include <QVector3D>
#include <functional>
#include <map>
#include <ostream>
#include <vector>

#include "preview/GlSink.h"

namespace pw::preview::fakes {

// One vertex as drawn: where it lies after the matrix operations of its list, and the state in
// force when it was emitted.
struct RecordedVertex {
    QVector3D local;
    QVector3D world;  // local through the list's own matrix operations
    QVector3D normal;
    QVector2D tex;
    bool hasTex = false;
    TextureName texture = 0;
    bool texturing = false;
    Rgba diffuse{-1, -1, -1, -1}, ambient{-1, -1, -1, -1};
    int primitive = 0;  // index of its begin/end block in the list
};

// A GlSink that keeps every call. Each call is kept as text ("light 5 on", "translate 35 0 -45",
// "material Diffuse 1 1 1 1", "bind 3", "begin Triangles"), per display list (the content of its
// last compile) or outside lists. Vertices are kept separately with their transformed position;
// matrix tracking starts from the identity at each newList. A list called while another is
// compiled is recorded into that one in place, as drawing it runs it there (with the matrix and
// state of that point); outside lists a call is kept as "call <list>".
class RecordingGlSink : public GlSink {
public:
    // Calls of a list, without the per-vertex calls (vertex, normal, texcoord).
    QStringList stateCalls(ListName list) const;
    QStringList allCalls(ListName list) const;
    const std::vector<RecordedVertex>& vertices(ListName list) const;
    int compileCount(ListName list) const;
    bool hasList(ListName list) const { return lists_.count(list) != 0; }

    QStringList immediate;           // calls made outside any list
    std::vector<ListName> compileOrder;  // every newList, in order
    std::vector<images::DecodedImage> uploads;  // index k holds texture name k + 1
    std::vector<TextureUpload> uploadKinds;
    std::vector<TextureName> deleted;

    ListName genLists(int count) override;
    void newList(ListName list) override;
    void endList() override;
    void callList(ListName list) override;

    void begin(Primitive primitive) override;
    void end() override;
    void vertex(float x, float y, float z) override;
    void normal(float x, float y, float z) override;
    void texCoord(float u, float v) override;

    void enable(Feature feature, bool on) override;
    void light(int index, bool on) override;
    void material(MaterialColour which, const Rgba& colour) override;
    void shininess(float value) override;
    void bindTexture(TextureName texture) override;

    void matrixMode(MatrixStack stack) override;
    void loadIdentity() override;
    void perspective(double fovyDegrees, double aspect, double zNear, double zFar) override;
    void translate(float x, float y, float z) override;
    void rotate(float degrees, float x, float y, float z) override;
    void scale(float x, float y, float z) override;
    void pushMatrix() override;
    void popMatrix() override;

    void viewport(int x, int y, int width, int height) override;
    void clearColour(const Rgba& colour) override;
    void clearDepth(double depth) override;
    void clear() override;
    void smoothShading() override;
    void twoSidedLighting(bool on) override;
    void separateSpecularColour(bool on) override;
    void alphaFuncGreater(float reference) override;
    void lightColour(int index, LightColour which, const Rgba& colour) override;
    void lightPosition(int index, const Vec4& position) override;

    TextureName createTexture(const images::DecodedImage& image, TextureUpload upload) override;
    void deleteTexture(TextureName texture) override;

private:
    struct ListRecord {
        QStringList calls;
        std::vector<RecordedVertex> vertices;
        int compiles = 0;
        std::vector<std::function<void()>> ops;  // the list's calls, to run them again
    };

    // Keeps the call for the list being compiled.
    void keep(std::function<void()> op);
    void record(const QString& call);

    std::map<ListName, ListRecord> lists_;
    ListName nextList_ = 1;
    bool compiling_ = false;
    ListName current_ = 0;
    ListRecord building_;
    QMatrix4x4 matrix_;
    std::vector<QMatrix4x4> stack_;
    QVector3D normal_;
    QVector2D tex_;
    bool hasTex_ = false;
    TextureName texture_ = 0;
    bool texturing_ = false;
    Rgba diffuse_{-1, -1, -1, -1}, ambient_{-1, -1, -1, -1};
    int primitive_ = -1;
};

// Formats numbers the way the recorder writes them.
QString num(double v);

}  // namespace pw::preview::fakes

// Readable failure output of texts and lists of calls.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << "{ " << l.join(QStringLiteral(" | ")).toStdString() << " }";
}
