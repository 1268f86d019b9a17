#include "language/TranslationMap.h"
#include "language/ContactTexts.h"

namespace kestrel {

const CaptionEntry kCaptionTable[] = {
    {1087, "端口连接", "Port Info"},
    {1088, "端口类型:", "Type:"},
    {1089, "波特率:", "Baud rate:"},
    {1003, "连接", "Connect"},
    {1090, "公共参数设置", "Common parameter"},
    {1091, "纸张类型", "Paper type"},
    {1092, "打印方向", "Print direction"},
    {1093, "打印前回退:", "Offset:"},
    {1094, "打印浓度:", "Density:"},
    {1096, "打印速度:", "Speed:"},
    {1095, "*速度：掉电不保存，数值越高，速度越慢", "*Speed:Temporary parameter. The smaller the value, the faster the speed"},
    {1097, "打印份数:", "Print copies:"},
    {1098, "串口波特率:", "Baud rate:"},
    {1023, "设置回退", "Set offset"},
    {1030, "设置浓度", "Set density"},
    {1074, "设置速度", "Set speed"},
    {1080, "恢复出厂设置", "Factory reset"},
    {1081, "自检页", "Selftest"},
    {1082, "黑标开", "Black mark on"},
    {1083, "黑标关", "Black mark off"},
    {1086, "设置串口波特率", "Set baud rate"},
    {1004, "自学习", "Study"},
    {1016, "定位打印位置", "Start position"},
    {1099, "2.33寸测试标签", "Test label(2.33\")"},
    {1100, "2寸测试标签", "Test label(2\")"},
    {1101, "3寸测试标签", "Test label(3\")"},
    {1102, "老化测试", "Aging test"},
    {1104, "打印间隔:", "Print interval:"},
    {1105, "毫秒", "ms"},
    {1106, "尺寸选择:", "Size:"},
    {1107, "发送计数:", "Count:"},
    {1076, "开始", "Run"},
    {1077, "停止", "Stop"},
    {1079, "复位计数", "Reset count"},
    {1103, "单独项测试", "Single test"},
    {1108, "标签尺寸", "Label size"},
    {1109, "条码类型", "BarCode"},
    {1020, "打印条码", "Print barcode"},
    {1017, "图片测试", "Print Image"},
    {1018, "矩形测试", "Print rectangle"},
    {1019, "圆形测试", "Print circle"},
    {1021, "二维码测试", "Print qrcode"},
    {1031, "打印自检页", "Selftest"},
    {1032, "蜂鸣测试", "Beeper"},
    {1045, "钱箱测试", "Cash box"},
    {1046, "线条测试1", "Print line 1"},
    {1048, "线条测试2", "Print line 2"},
    {1049, "打印测试1", "Print test 1"},
    {1050, "打印测试2", "Print test 2"},
    {1084, "小字体测试(57x40)", "Small font print(57x40)"},
    {1110, "标准模式", "Standard mode"},
    {1111, "发送次数:", "Send coies:"},
    {1036, "标准模式", "Standard mode"},
    {1035, "发送", "Send"},
    {1038, "清空", "Clear"},
};
const std::size_t kCaptionCount = sizeof(kCaptionTable) / sizeof(kCaptionTable[0]);

// Rows 1 to 18 are window texts and messages, 19 to 63 texts of the test
// labels, 64 to 70 the settings file's messages, 71 to 75 what is wrong with
// a port the operator typed, 76 a network printer that cannot be reached. The origin, address,
// telephone and web rows come from ContactTexts.h.
const VocabularyEntry kVocabularyTable[] = {
    {"找不到任何USB设备", "No USB devices found"},  // 1
    {"Kestrel", "Kestrel"},  // 2
    {"断开", "Disconnect"},  // 3
    {"连续纸", "Continuous"},  // 4
    {"标签纸(回收)", "Label(recycle)"},  // 5
    {"标签纸(不回收)", "Label(not recycle)"},  // 6
    {"由左到右", "Left to right"},  // 7
    {"由下到上", "Bottom to top"},  // 8
    {"由右到左", "Right to left"},  // 9
    {"由上到下", "Top to bottom"},  // 10
    {"此端口被占用或已损坏", "This port is occupied or damaged"},  // 11
    {"警告", "Warnning"},  // 12
    {"打印机未连接！", "Printer not connected!"},  // 13
    {"输入太多了!", "Too many inputs!"},  // 14
    {"十六进制字符输入有错误!", "Hexadecimal character input error!"},  // 15
    {"错误", "Error"},  // 16
    {"发送失败,已停止发送", "Sending failed. Sending has stopped"},  // 17
    {"连接失败,已停止发送", "Connection failed, sending stopped"},  // 18
    {"合格证\n", "Certificate\n"},  // 19
    {"等级：一等品", "Grade: First"},  // 20
    {"打印机", " Printer"},  // 21
    {"价格：299", "Price: 299"},  // 22
    {"件数：  2件", "Number：  2"},  // 23
    {"名称：打印机", "Name: Printer"},  // 24
    {kOriginLine, "Origin: " KESTREL_CITY_EN},  // 25
    {"发货编号：2-12", "2-12"},  // 26
    {"生产时间：%04d年 %02d月 %02d日 %02d:%02d:%02d ", "Time: %04d-%02d-%02d-%02d:%02d:%02d"},  // 27
    {kAddressLine, "Address:" KESTREL_STREET_EN},  // 28
    {"营养成份表\n", "Info\n"},  // 29
    {"72毫克", "72mg"},  // 30
    {"水", "water"},  // 31
    {"项目", "Item"},  // 32
    {"每100毫升", "Amount per 100g"},  // 33
    {"热量", "Energy"},  // 34
    {"351千焦", "351KJ"},  // 35
    {"蛋白质", "Protein"},  // 36
    {"5.8克", "5.8g"},  // 37
    {"脂肪", "Fat"},  // 38
    {"碳水化合物", "Carbohydrate"},  // 39
    {"钠", "Sodium"},  // 40
    {"盐", "Salt"},  // 41
    {"日期：%04d年 %02d月 %02d日", "Date：%04d-%02d-%02d"},  // 42
    {kTelephoneLine, "Tel:" KESTREL_TELEPHONE},  // 43
    {kWebLine, "Web:" KESTREL_WEB_ADDRESS},  // 44
    {"数量：", "Mark:"},  // 45
    {"品名：", "Name:"},  // 46
    {"客户：", "User:"},  // 47
    {"打印机出货标签", "Outbound label"},  // 48
    {"名称：Q51", "Name: Q51"},  // 49
    {"打印机\n", "Printer\n"},  // 50
    {"客户名称:", "Name:"},  // 51
    {"产品名称:", "Product:"},  // 52
    {"规    格:", "Specs:"},  // 53
    {"数    量:", "Quantity:"},  // 54
    {"出货时间:", "Time:"},  // 55
    {"出货标签\n", "Outbound"},  // 56
    {"日期：%04d年%02d月%02d日", "Date：%04d-%02d-%02d"},  // 57
    {"名称：", "Item:"},  // 58
    {"规格：", "Specs:"},  // 59
    {"打印机型号(Model):3寸热敏打印机", "Printer Model:3\" thermal printer"},  // 60
    {"纸张宽度(Page Width):80(72)MM", "Paper Width :80(72)MM"},  // 61
    {"输入电源(Power):24V/2A\n", "Input Power supply :24V/2A\n"},  // 62
    {"  打印机出货标签  ", "outbound delivery label"},  // 63
    {"自定标签未保存。", "The custom label was not saved."},  // 64
    {"自定标签的设置无法读取。", "The custom label's settings cannot be read."},  // 65
    {"没有访问权限或文件只读", "Access is denied, or the file is read-only"},  // 66
    {"磁盘已满", "The disk is full"},  // 67
    {"文件太大", "The file is too large"},  // 68
    {"不是普通文件", "It is not a regular file"},  // 69
    {"文件已损坏", "The file is damaged"},  // 70
    {"请选择或输入端口", "Choose a port from the list or type one"},  // 71
    {"不是有效的网络地址：%s\n请输入 tcp:主机 或 tcp:主机:端口", "Not a network address: %s\nType tcp:HOST or tcp:HOST:PORT"},  // 72
    {"不是有效的网络地址：%s\nIPv6 地址请写在方括号中，例如 tcp:[::1]:9100",
     "Not a network address: %s\nAn IPv6 address goes in brackets, as in tcp:[::1]:9100"},  // 73
    {"不是有效的网络地址：%s\n请输入 tcp:[IPv6 地址]:端口", "Not a network address: %s\nType tcp:[IPv6 ADDRESS]:PORT"},  // 74
    {"不是有效的网络端口：%s\n端口号为 1 到 65535", "Not a network port: %s\nThe port number is 1 to 65535"},  // 75
    {"无法连接网络打印机：%s", "Cannot reach the network printer: %s"},  // 76
};
const std::size_t kVocabularyCount = sizeof(kVocabularyTable) / sizeof(kVocabularyTable[0]);

}  // namespace kestrel
