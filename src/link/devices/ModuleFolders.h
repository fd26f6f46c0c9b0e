#pragma once
// Where the program's modules are looked for. An installed program looks
// only inside its installation; a build made for development (CMake option
// PAGERBENCH_DEVELOPMENT) looks in its build tree's modules folder too, so
// that the programs and tests run from there find the module.
#include <QString>
#include <QStringList>

namespace pb {

// The executable's folder, then the installation's library folder beside
// it, then the development folder when it is not empty.
QStringList ModuleFolders(const QString& executableFolder, const QString& developmentFolder);

// The build tree's modules folder in a development build; empty otherwise,
// so that a package names no folder outside its installation.
QString DevelopmentModuleFolder();

} // namespace pb
