// Arbitrary templates, values and descriptions; number formats from a safe set or arbitrary bytes.

#include "FuzzInput.h"
#include "params/CParamDescription.h"
#include "params/CParamValueFormatter.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const formats[] = { "%.2f", "%.0f", "%g", "%e", "%+010.3f", "%%%.1f%%", "", "%.300f", "%a" };
    CFuzzInput input(data, size);
    const uint8_t mode = input.Byte();
    const std::string numberFormat = (mode & 1) ? input.Text(24) : std::string(input.Pick(formats));
    const float value = input.Scalar<float>();
    const float min = input.Scalar<float>();
    const float max = input.Scalar<float>();
    const std::string name = input.Text(16);
    const std::string unit = input.Text(8);
    const std::string textTemplate = input.Text(4096);

    CParamDescription description(name.c_str(), input.Byte() % 4, min, max, value, (mode & 4) ? nullptr : unit.c_str(),
        (mode & 8) ? nullptr : "comment", nullptr, false);
    CParamValueFormatter formatter(numberFormat.c_str(), (mode & 2) != 0, textTemplate.c_str());
    char* out = nullptr;
    formatter.FormatText(value, description, &out);
    const std::unique_ptr<char[]> text(out);
    if (text && text[0] == '\0') {
        std::abort(); // an empty result must come back as null
    }
    if (textTemplate.find('{') == std::string::npos && !textTemplate.empty() && (!text || textTemplate != text.get())) {
        std::abort(); // text without an opening brace is copied through
    }
    return 0;
}
