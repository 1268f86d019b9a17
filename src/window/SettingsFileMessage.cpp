#include "window/SettingsFileMessage.h"

#include "language/TranslationMap.h"

namespace kestrel {
namespace {

std::string Reason(const FileResult& result, const std::string& path) {
  switch (result.problem) {
    case FileProblem::NoPermission:
      return Translate("没有访问权限或文件只读") + "\n" + path;
    case FileProblem::NoSpace:
      return Translate("磁盘已满") + "\n" + path;
    case FileProblem::TooLarge:
      return Translate("文件太大") + "\n" + path;
    case FileProblem::NotAFile:
      return Translate("不是普通文件") + "\n" + path;
    case FileProblem::Damaged:
      return Translate("文件已损坏") + "\n" + path;
    case FileProblem::None:
    case FileProblem::Failed:
      break;
  }
  return result.detail;
}

}  // namespace

std::string SettingsNotSavedMessage(const FileResult& result, const std::string& path) {
  return Translate("自定标签未保存。") + "\n" + Reason(result, path);
}

std::string SettingsUnreadableMessage(const FileResult& result, const std::string& path) {
  return Translate("自定标签的设置无法读取。") + "\n" + Reason(result, path);
}

}  // namespace kestrel
