#include "win/xml_reader_win.h"

#include <windows.h>
#include <objidl.h>
#include <xmllite.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "win/handles_win.h"

namespace tunelift::win {

namespace {

using CreateXmlReaderFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

// mingw-w64 ships no import library for xmllite.dll, so it is loaded by name, from
// the system folder only. It stays loaded for the life of the process.
CreateXmlReaderFunction CreateXmlReaderOfSystem() {
    static const CreateXmlReaderFunction create = [] {
        const HMODULE module = LoadLibraryExW(L"xmllite.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return module ? reinterpret_cast<CreateXmlReaderFunction>(
                            reinterpret_cast<void*>(GetProcAddress(module, "CreateXmlReader")))
                      : nullptr;
    }();
    return create;
}

// The bytes as the stream XmlLite reads, without a copy. It lives on the caller's
// stack, made before the reader that holds a reference to it and so gone after it.
class BytesStream final : public ISequentialStream {
public:
    explicit BytesStream(std::string_view bytes) : bytes_(bytes) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id != __uuidof(IUnknown) && id != __uuidof(ISequentialStream)) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<ISequentialStream*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
        const size_t count = std::min<size_t>(size, bytes_.size() - at_);
        std::memcpy(buffer, bytes_.data() + at_, count);
        at_ += count;
        if (read) *read = static_cast<ULONG>(count);
        return count < size ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }

private:
    std::string_view bytes_;
    size_t at_ = 0;
    ULONG references_ = 0;
};

std::wstring_view ViewOf(const wchar_t* text, UINT length) {
    return text ? std::wstring_view(text, length) : std::wstring_view();
}

// The element the reader stands on, its attributes copied: the reader's own strings
// last only until it moves, and it moves to read each attribute.
struct StartedElement {
    std::wstring LocalName, NamespaceUri;
    std::vector<std::wstring> Texts;  // local name, namespace, value of each attribute
    std::vector<XmlAttribute> Attributes;

    bool Read(IXmlReader& reader) {
        const wchar_t* text = nullptr;
        UINT length = 0;
        if (FAILED(reader.GetLocalName(&text, &length))) return false;
        LocalName = ViewOf(text, length);
        if (FAILED(reader.GetNamespaceUri(&text, &length))) return false;
        NamespaceUri = ViewOf(text, length);
        Texts.clear();
        for (HRESULT at = reader.MoveToFirstAttribute(); at == S_OK; at = reader.MoveToNextAttribute()) {
            for (const auto get : {&IXmlReader::GetLocalName, &IXmlReader::GetNamespaceUri, &IXmlReader::GetValue}) {
                if (FAILED((reader.*get)(&text, &length))) return false;
                Texts.emplace_back(ViewOf(text, length));
            }
        }
        Attributes.clear();
        for (size_t i = 0; i + 2 < Texts.size(); i += 3) Attributes.push_back({Texts[i], Texts[i + 1], Texts[i + 2]});
        return true;
    }
};

}  // namespace

bool ParseXml(std::string_view bytes, XmlSink& sink) {
    const CreateXmlReaderFunction create = CreateXmlReaderOfSystem();
    if (!create) return false;
    BytesStream stream(bytes);  // declared first, so it outlives the reader's reference
    ComPtr<IXmlReader> reader;
    if (FAILED(create(__uuidof(IXmlReader), reader.put_void(), nullptr))) return false;
    // Prohibited, a document type declaration fails the read: no entity can expand.
    if (FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
        FAILED(reader->SetProperty(XmlReaderProperty_MaxElementDepth, kDeepestXml)) ||
        FAILED(reader->SetInput(&stream)))
        return false;
    // Every node takes at least one byte of the document. Wine's XmlLite hands out the
    // last node again and again at the end of a cut document; this bound ends that.
    const uint64_t mostNodes = uint64_t{bytes.size()} + 1;
    uint64_t nodes = 0;
    size_t open = 0;
    StartedElement element;
    XmlNodeType type = XmlNodeType_None;
    HRESULT result = S_OK;
    while ((result = reader->Read(&type)) == S_OK) {
        if (++nodes > mostNodes) return false;
        if (type == XmlNodeType_Element) {
            // Asked before the attributes are read: on an attribute the answer is false.
            const bool empty = reader->IsEmptyElement();
            if (!element.Read(*reader.get())) return false;
            sink.StartElement(element.LocalName, element.NamespaceUri, element.Attributes);
            if (empty) sink.EndElement(); else ++open;
        } else if (type == XmlNodeType_EndElement) {
            if (open == 0) return false;
            --open;
            sink.EndElement();
        } else if (type == XmlNodeType_Text || type == XmlNodeType_CDATA || type == XmlNodeType_Whitespace) {
            const wchar_t* text = nullptr;
            UINT length = 0;
            if (FAILED(reader->GetValue(&text, &length))) return false;
            sink.Text(ViewOf(text, length));
        }
    }
    return result == S_FALSE && open == 0;
}

}  // namespace tunelift::win
