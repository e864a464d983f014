// The version service's answer, as the version check reads the reply body.

#include "app/version_check.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString answer = QString::fromLatin1(fuzz::Bytes(data, size));
    (void)app::Conv_Version(answer);
    (void)app::Is_Newer_Version(answer);
    return 0;
}
