#pragma once

#include "params/IArchive.h"
#include "params/IPersistentObject.h"

#include <functional>

// Every parameter function class the library registers, in registration order.
inline const char* const g_paramClassIds[]
    = { "{83A9F6B1-2360-44f2-9EA2-C0A75A47A554}", "{F31A0DDB-1670-420a-AA0B-4AED41271DBC}",
          "{9BA5267D-D300-4315-8C25-BDF46423F139}", "{40211AEA-B310-4254-BE94-B7E5B99CE707}",
          "{7367BBAB-A156-48b9-A512-4F1912C56839}", "{FB1F81BF-F8E7-40ba-8EBE-403988A2E994}",
          "{94E073D9-BACD-49be-B08C-A70980F5E84E}", "{8D0E0F88-5C79-4f48-AD24-1C6BE1A8904B}",
          "{10DF14BD-357A-4458-905B-369AD2FD8B21}", "{47C095AC-4502-4b60-97D3-B3D3F3A7A87A}",
          "{716AB1B3-FEA8-4dec-B3EA-99B1CCDF852D}", "{F9CA1474-22AE-400b-AFC8-D9A077738A81}",
          "{7F4CF089-3DF2-40e4-83F3-736603B40160}", "{9C5BC273-DBD2-4900-B2C7-BAA8A4284487}",
          "{18C4A2D7-BD79-486a-B12E-B21F32FBBF0F}", "{F5A5C4CC-51D6-49ec-A269-A3B2B1E8037E}",
          "{EAC674E4-4C25-46bd-8D83-F9BB83604BA7}", "{C6B18AB7-10C4-46c3-975E-91255060ECA9}" };

// Writes whatever the given function writes: builds archives by hand.
struct CSaveFunction final : ISaveable {
    explicit CSaveFunction(std::function<bool(IOutputArchive&)> save)
        : save(std::move(save))
    {
    }
    [[nodiscard]] bool Save(IOutputArchive& archive) override { return save(archive); }
    std::function<bool(IOutputArchive&)> save;
};
