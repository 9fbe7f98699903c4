// The property store's reader on arbitrary bytes: it never crashes, and a
// bag it accepts writes back and reads again as the same bag.
#include "host/PropertyBag.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Fonts need a GUI application; one without a screen is enough.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    // Damaged pictures make the PNG reader complain at every input.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    bool ok = false;
    const PropertyBag bag = PropertyBag::deserialize(bytes, &ok);
    if (!ok) return 0;
    const PropertyBag again = PropertyBag::deserialize(bag.serialize(), &ok);
    FUZZ_CHECK(ok && again == bag);
    return 0;
}
