#pragma once

#include <QString>
#include <exception>
#include <string>

// An error raised by the SNMP access and binding layers: a catalog code and its text.
class NvError : public std::exception
{
public:
    NvError(int code, QString message);

    // The error of a catalog code, with the catalog's current text.
    static NvError FromCode(int code);

    int code() const { return m_code; }
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    int m_code;
    QString m_message;
    std::string m_utf8;
};
