#pragma once
// A one-line description of the operating system the program runs on, for the
// service parameters: the distribution's name from os-release and the kernel from
// uname, "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64 x86_64".

#include <string>
#include <string_view>

namespace vantor {

std::string OperatingSystemText();

// The same from the given texts: the content of an os-release file (PRETTY_NAME, else
// NAME and VERSION) and the kernel's "name release machine". Either may be empty.
std::string DescribeOperatingSystem(std::string_view osRelease, std::string_view kernel);

}  // namespace vantor
