#include "cgm_test_util.h"
#include "scrivane/SoScrivane.h"
#include <gtest/gtest.h>

namespace {
// The toolkit's database is initialised once for all tests.
class ToolkitEnvironment : public ::testing::Environment {
public:
    void SetUp() override { SoScrivane::init(); }
};
::testing::Environment *const toolkitEnvironment =
    ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);
} // namespace

std::string cgmOutPath(const std::string &name) {
    return std::string(SCRIVANE_TEST_OUT) + "/" + name;
}

cgmtest::Metafile checkCGMFile(const std::string &path, int binary) {
    cgmtest::Metafile m = binary ? cgmtest::dumpBinary(cgmtest::readFileBytes(path))
                                 : cgmtest::readClearText(cgmtest::readFileText(path));
    if (!m.ok)
        ADD_FAILURE() << path << " is not a valid " << (binary ? "binary" : "clear-text")
                      << " CGM: " << m.error;
    return m;
}

cgmtest::Metafile applyCGM(const std::string &name, CGMSettings settings, const Draw &run) {
    const std::string path = cgmOutPath(name);
    {
        TestCGMAction action;
        action.getCGMVectorOutput()->setBinaryEncoding(settings.binary);
        action.getCGMVectorOutput()->setMetafileVersion(settings.version);
        action.getCGMVectorOutput()->setIndexedColors(settings.indexed);
        if (!action.getOutput()->openFile(path.c_str())) {
            ADD_FAILURE() << "cannot open " << path;
            return {};
        }
        run(action);
        action.getOutput()->closeFile();
    }
    return checkCGMFile(path, settings.binary);
}

std::vector<double> numbersOf(const cgmtest::Metafile &m, const std::string &name) {
    std::vector<double> v;
    for (const cgmtest::Element &e : cgmtest::elementsNamed(m, name))
        v.insert(v.end(), e.numbers.begin(), e.numbers.end());
    return v;
}

WrittenCGM writeCGM(const std::string &name, CGMSettings settings, const Draw &draw,
                    const Draw &setup) {
    WrittenCGM w;
    w.path = cgmOutPath(name);
    w.file = applyCGM(name, settings, [&](TestCGMAction &action) {
        if (setup) setup(action);
        action.writeHeader();
        if (draw) draw(action);
        action.writeFooter();
    });
    w.text = cgmtest::readFileText(w.path);
    return w;
}

MemoryEncoder::MemoryEncoder() : encoder(nullptr) {
    output.setFilePointer(std::tmpfile());
    encoder = new CGMBinaryEncoder(&output);
}

MemoryEncoder::~MemoryEncoder() {
    delete encoder;
}

std::vector<uint8_t> MemoryEncoder::bytes() {
    FILE *fp = output.getFilePointer();
    std::fflush(fp);
    const long end = std::ftell(fp);
    std::rewind(fp);
    std::vector<uint8_t> data(static_cast<size_t>(end));
    if (end > 0 && std::fread(data.data(), 1, data.size(), fp) != data.size()) data.clear();
    std::fseek(fp, 0, SEEK_END);
    return data;
}

std::string hexBytes(const std::vector<uint8_t> &bytes, size_t from, size_t count) {
    std::string s;
    char buf[4];
    for (size_t i = from; i < bytes.size() && i - from < count; i++) {
        std::snprintf(buf, sizeof buf, "%s%02X", s.empty() ? "" : " ", bytes[i]);
        s += buf;
    }
    return s;
}

SbVec4f pt(float x, float y) {
    return SbVec4f(x, y, 0.0f, 1.0f);
}
