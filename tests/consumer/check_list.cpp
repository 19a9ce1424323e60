#include <kalderos/kalderos.h>

#include <iostream>
#include <string>

// Reads SSNs, one a line, and prints each with its verdict and the reason.
int main() {
    const kalderos::Checker checker(kalderos::RuleSet::Classic);
    std::string line;
    while (std::getline(std::cin, line)) {
        const kalderos::SsnResult result = checker.CheckSsn(line);
        std::cout << line << ": " << result.verdict_name << " (" << result.reason << ")";
        if (!result.place.empty()) std::cout << ", " << result.place;
        if (result.confirm) std::cout << ", the highest group issued";
        std::cout << '\n';
    }
    return std::cout.flush() ? 0 : 1;
}
