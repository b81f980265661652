#include "NvError.h"

#include "NvCatalog.h"

NvError::NvError(int code, QString message)
    : m_code(code), m_message(std::move(message)), m_utf8(m_message.toStdString())
{}

NvError NvError::FromCode(int code)
{
    return NvError(code, NvCatalog::TextOfCode(code));
}
