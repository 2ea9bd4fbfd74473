#pragma once

#include "component/Persist.h"

#include <QByteArray>

#include <atomic>

namespace component {

// A growable in-memory stream, the form in which a host keeps an object's saved bytes.
class MemoryStream final : public IStream
{
public:
    static Ref<MemoryStream> create(const QByteArray& initial = {});

    HResult QueryInterface(const Guid& iid, void** out) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    HResult Read(void* buffer, uint32_t count, uint32_t* read) override;
    HResult Write(const void* buffer, uint32_t count, uint32_t* written) override;
    HResult Seek(int64_t move, SeekOrigin origin, uint64_t* position) override;

    const QByteArray& data() const { return m_data; }
    qsizetype position() const { return m_position; }

private:
    explicit MemoryStream(const QByteArray& initial);
    ~MemoryStream() override;

    std::atomic<uint32_t> m_refs{1};
    QByteArray m_data;
    qsizetype m_position = 0;
};

} // namespace component
