#include "RecordingGlSink.h"

namespace pw::preview::fakes {

QString num(double v) {
    if (std::abs(v) < 1e-9) v = 0;
    return QString::number(v, 'g', 6);
}

namespace {

QString onOff(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

QString rgba(const Rgba& c) {
    return num(c.r) + ' ' + num(c.g) + ' ' + num(c.b) + ' ' + num(c.a);
}

const char* featureName(Feature f) {
    switch (f) {
        case Feature::Lighting: return "Lighting";
        case Feature::Texture2D: return "Texture2D";
        case Feature::AlphaTest: return "AlphaTest";
        case Feature::DepthTest: return "DepthTest";
    }
    return "?";
}

const char* colourName(MaterialColour c) {
    switch (c) {
        case MaterialColour::Ambient: return "Ambient";
        case MaterialColour::Diffuse: return "Diffuse";
        case MaterialColour::Specular: return "Specular";
    }
    return "?";
}

const char* colourName(LightColour c) {
    switch (c) {
        case LightColour::Ambient: return "Ambient";
        case LightColour::Diffuse: return "Diffuse";
        case LightColour::Specular: return "Specular";
    }
    return "?";
}

bool isVertexCall(const QString& call) {
    return call.startsWith(QLatin1String("vertex ")) || call.startsWith(QLatin1String("normal ")) ||
           call.startsWith(QLatin1String("texcoord "));
}

}  // namespace

QStringList RecordingGlSink::stateCalls(ListName list) const {
    QStringList out;
    for (const QString& c : allCalls(list))
        if (!isVertexCall(c)) out << c;
    return out;
}

QStringList RecordingGlSink::allCalls(ListName list) const {
    auto it = lists_.find(list);
    return it == lists_.end() ? QStringList() : it->second.calls;
}

const std::vector<RecordedVertex>& RecordingGlSink::vertices(ListName list) const {
    static const std::vector<RecordedVertex> none;
    auto it = lists_.find(list);
    return it == lists_.end() ? none : it->second.vertices;
}

int RecordingGlSink::compileCount(ListName list) const {
    auto it = lists_.find(list);
    return it == lists_.end() ? 0 : it->second.compiles;
}

void RecordingGlSink::keep(std::function<void()> op) {
    if (compiling_) building_.ops.push_back(std::move(op));
}

void RecordingGlSink::record(const QString& call) {
    if (compiling_)
        building_.calls << call;
    else
        immediate << call;
}

ListName RecordingGlSink::genLists(int count) {
    const ListName first = nextList_;
    nextList_ += ListName(count);
    immediate << QStringLiteral("genLists %1").arg(count);
    return first;
}

void RecordingGlSink::newList(ListName list) {
    const int compiles = compileCount(list);
    compileOrder.push_back(list);
    compiling_ = true;
    current_ = list;
    building_ = ListRecord{};
    building_.compiles = compiles;
    matrix_.setToIdentity();
    stack_.clear();
    hasTex_ = false;
    texture_ = 0;
    texturing_ = false;
    diffuse_ = ambient_ = Rgba{-1, -1, -1, -1};
    primitive_ = -1;
}

void RecordingGlSink::endList() {
    building_.compiles += 1;
    lists_[current_] = building_;
    compiling_ = false;
}

void RecordingGlSink::callList(ListName list) {
    if (!compiling_) {
        record(QStringLiteral("call %1").arg(list));
        return;
    }
    // Drawing the list being compiled runs the called one at this point: its calls go in here.
    const auto it = lists_.find(list);
    if (it == lists_.end()) return;
    const std::vector<std::function<void()>> ops = it->second.ops;
    for (const auto& op : ops) op();
}

void RecordingGlSink::begin(Primitive primitive) {
    keep([=] { begin(primitive); });
    ++primitive_;
    record(primitive == Primitive::Triangles ? QStringLiteral("begin Triangles") : QStringLiteral("begin Quads"));
}
void RecordingGlSink::end() {
    keep([=] { end(); });
    record(QStringLiteral("end"));
}

void RecordingGlSink::vertex(float x, float y, float z) {
    keep([=] { vertex(x, y, z); });
    record(QStringLiteral("vertex ") + num(x) + ' ' + num(y) + ' ' + num(z));
    RecordedVertex v;
    v.local = QVector3D(x, y, z);
    v.world = matrix_.map(v.local);
    v.normal = normal_;
    v.tex = tex_;
    v.hasTex = hasTex_;
    v.texture = texture_;
    v.texturing = texturing_;
    v.diffuse = diffuse_;
    v.ambient = ambient_;
    v.primitive = primitive_;
    if (compiling_) building_.vertices.push_back(v);
}
void RecordingGlSink::normal(float x, float y, float z) {
    keep([=] { normal(x, y, z); });
    normal_ = QVector3D(x, y, z);
    record(QStringLiteral("normal ") + num(x) + ' ' + num(y) + ' ' + num(z));
}
void RecordingGlSink::texCoord(float u, float v) {
    keep([=] { texCoord(u, v); });
    tex_ = QVector2D(u, v);
    hasTex_ = true;
    record(QStringLiteral("texcoord ") + num(u) + ' ' + num(v));
}

void RecordingGlSink::enable(Feature feature, bool on) {
    keep([=] { enable(feature, on); });
    if (feature == Feature::Texture2D) texturing_ = on;
    record(QStringLiteral("%1 %2").arg(QLatin1String(featureName(feature)), onOff(on)));
}
void RecordingGlSink::light(int index, bool on) {
    keep([=] { light(index, on); });
    record(QStringLiteral("light %1 %2").arg(index).arg(onOff(on)));
}
void RecordingGlSink::material(MaterialColour which, const Rgba& colour) {
    keep([=] { material(which, colour); });
    if (which == MaterialColour::Diffuse) diffuse_ = colour;
    if (which == MaterialColour::Ambient) ambient_ = colour;
    record(QStringLiteral("material ") + QLatin1String(colourName(which)) + ' ' + rgba(colour));
}
void RecordingGlSink::shininess(float value) {
    keep([=] { shininess(value); });
    record(QStringLiteral("shininess ") + num(value));
}
void RecordingGlSink::bindTexture(TextureName texture) {
    keep([=] { bindTexture(texture); });
    texture_ = texture;
    record(QStringLiteral("bind %1").arg(texture));
}

void RecordingGlSink::matrixMode(MatrixStack stack) {
    keep([=] { matrixMode(stack); });
    record(stack == MatrixStack::Projection ? QStringLiteral("matrixMode Projection")
                                            : QStringLiteral("matrixMode ModelView"));
}
void RecordingGlSink::loadIdentity() {
    keep([=] { loadIdentity(); });
    matrix_.setToIdentity();
    record(QStringLiteral("loadIdentity"));
}
void RecordingGlSink::perspective(double fovyDegrees, double aspect, double zNear, double zFar) {
    keep([=] { perspective(fovyDegrees, aspect, zNear, zFar); });
    record(QStringLiteral("perspective ") + num(fovyDegrees) + ' ' + num(aspect) + ' ' + num(zNear) + ' ' +
           num(zFar));
}
void RecordingGlSink::translate(float x, float y, float z) {
    keep([=] { translate(x, y, z); });
    matrix_.translate(x, y, z);
    record(QStringLiteral("translate ") + num(x) + ' ' + num(y) + ' ' + num(z));
}
void RecordingGlSink::rotate(float degrees, float x, float y, float z) {
    keep([=] { rotate(degrees, x, y, z); });
    matrix_.rotate(degrees, x, y, z);
    record(QStringLiteral("rotate ") + num(degrees) + ' ' + num(x) + ' ' + num(y) + ' ' + num(z));
}
void RecordingGlSink::scale(float x, float y, float z) {
    keep([=] { scale(x, y, z); });
    matrix_.scale(x, y, z);
    record(QStringLiteral("scale ") + num(x) + ' ' + num(y) + ' ' + num(z));
}
void RecordingGlSink::pushMatrix() {
    keep([=] { pushMatrix(); });
    stack_.push_back(matrix_);
    record(QStringLiteral("pushMatrix"));
}
void RecordingGlSink::popMatrix() {
    keep([=] { popMatrix(); });
    if (!stack_.empty()) {
        matrix_ = stack_.back();
        stack_.pop_back();
    }
    record(QStringLiteral("popMatrix"));
}

void RecordingGlSink::viewport(int x, int y, int width, int height) {
    keep([=] { viewport(x, y, width, height); });
    record(QStringLiteral("viewport %1 %2 %3 %4").arg(x).arg(y).arg(width).arg(height));
}
void RecordingGlSink::clearColour(const Rgba& colour) {
    keep([=] { clearColour(colour); });
    record(QStringLiteral("clearColour ") + rgba(colour));
}
void RecordingGlSink::clearDepth(double depth) {
    keep([=] { clearDepth(depth); });
    record(QStringLiteral("clearDepth ") + num(depth));
}
void RecordingGlSink::clear() {
    keep([=] { clear(); });
    record(QStringLiteral("clear"));
}
void RecordingGlSink::smoothShading() {
    keep([=] { smoothShading(); });
    record(QStringLiteral("smoothShading"));
}
void RecordingGlSink::twoSidedLighting(bool on) {
    keep([=] { twoSidedLighting(on); });
    record(QStringLiteral("twoSided ") + onOff(on));
}
void RecordingGlSink::separateSpecularColour(bool on) {
    keep([=] { separateSpecularColour(on); });
    record(QStringLiteral("separateSpecular ") + onOff(on));
}
void RecordingGlSink::alphaFuncGreater(float reference) {
    keep([=] { alphaFuncGreater(reference); });
    record(QStringLiteral("alphaFuncGreater ") + num(reference));
}
void RecordingGlSink::lightColour(int index, LightColour which, const Rgba& colour) {
    keep([=] { lightColour(index, which, colour); });
    record(QStringLiteral("lightColour %1 ").arg(index) + QLatin1String(colourName(which)) + ' ' + rgba(colour));
}
void RecordingGlSink::lightPosition(int index, const Vec4& p) {
    keep([=] { lightPosition(index, p); });
    record(QStringLiteral("lightPosition %1 ").arg(index) + num(p.x) + ' ' + num(p.y) + ' ' + num(p.z) + ' ' +
           num(p.w));
}

TextureName RecordingGlSink::createTexture(const images::DecodedImage& image, TextureUpload upload) {
    uploads.push_back(image);
    uploadKinds.push_back(upload);
    const TextureName name = TextureName(uploads.size());
    record(QStringLiteral("createTexture %1").arg(name));
    return name;
}
void RecordingGlSink::deleteTexture(TextureName texture) {
    deleted.push_back(texture);
    record(QStringLiteral("deleteTexture %1").arg(texture));
}

}  // namespace pw::preview::fakes
