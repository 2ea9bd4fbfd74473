#include "component/MemoryStream.h"

#include "component/ModuleObjects.h"

#include <cstring>

namespace component {

MemoryStream::MemoryStream(const QByteArray& initial) : m_data(initial)
{
    ModuleObjects::created();
}

MemoryStream::~MemoryStream()
{
    ModuleObjects::destroyed();
}

Ref<MemoryStream> MemoryStream::create(const QByteArray& initial)
{
    return Ref<MemoryStream>::adopt(new MemoryStream(initial));
}

HResult MemoryStream::QueryInterface(const Guid& iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid == IUnknown::iid || iid == IStream::iid) {
        *out = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

uint32_t MemoryStream::AddRef()
{
    return ++m_refs;
}

uint32_t MemoryStream::Release()
{
    const uint32_t left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HResult MemoryStream::Read(void* buffer, uint32_t count, uint32_t* read)
{
    if (!buffer && count)
        return E_POINTER;
    const qsizetype available = std::max<qsizetype>(0, m_data.size() - m_position);
    const qsizetype n = std::min<qsizetype>(available, count);
    if (n > 0)
        std::memcpy(buffer, m_data.constData() + m_position, static_cast<size_t>(n));
    m_position += n;
    if (read)
        *read = static_cast<uint32_t>(n);
    return n == static_cast<qsizetype>(count) ? S_OK : S_FALSE;
}

HResult MemoryStream::Write(const void* buffer, uint32_t count, uint32_t* written)
{
    if (!buffer && count)
        return E_POINTER;
    const qsizetype end = m_position + static_cast<qsizetype>(count);
    if (end > m_data.size())
        m_data.resize(end, '\0');
    if (count)
        std::memcpy(m_data.data() + m_position, buffer, count);
    m_position = end;
    if (written)
        *written = count;
    return S_OK;
}

HResult MemoryStream::Seek(int64_t move, SeekOrigin origin, uint64_t* position)
{
    int64_t base = 0;
    switch (origin) {
    case SeekOrigin::Set:
        base = 0;
        break;
    case SeekOrigin::Current:
        base = m_position;
        break;
    case SeekOrigin::End:
        base = m_data.size();
        break;
    }
    const int64_t target = base + move;
    if (target < 0)
        return STG_E_INVALIDFUNCTION;
    m_position = static_cast<qsizetype>(target);
    if (position)
        *position = static_cast<uint64_t>(target);
    return S_OK;
}

} // namespace component
