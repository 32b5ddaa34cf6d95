/* Every text Ferrix shows or writes, each once. The source is UTF-8; the compilers turn it
   into GBK (code page 936) bytes. Plain macros, because the resource compiler reads this too.
   Trailing blanks belong to the texts; the comment after each such text gives their count. */
#pragma once

/* Dialog template */
#define TEXT_PRODUCT_NAME "Ferrix"
#define TEXT_VERSION "0.1"
#define TEXT_TITLE TEXT_PRODUCT_NAME " v" TEXT_VERSION
#define TEXT_DIALOG_FONT "宋体"
#define TEXT_HEADING "目录对拷工具"
#define TEXT_SOURCE_CAPTION "来源 :"
#define TEXT_DEST_CAPTION "目标 :"
#define TEXT_ADD "添加"
#define TEXT_REMOVE "移除文件"
#define TEXT_BROWSE "浏览"
#define TEXT_SLIDER_NAME "Slider1"
#define TEXT_SPEED_CAPTION "最大速度 :"
#define TEXT_UNLIMITED "无限制"
#define TEXT_START "开始"
#define TEXT_STOP "停止"
#define TEXT_PROGRESS_NAME "Progress1"
#define TEXT_CURRENT_FILE_CAPTION "当前文件 :"
#define TEXT_ALL_FILES_CAPTION "全部文件 :"
#define TEXT_PAUSE "暂停\\继续"
#define TEXT_OVERWRITE_ALL "覆盖现有文件"
#define TEXT_DONT_NOTIFY "没有错误通知"
#define TEXT_SAVE "保存"
#define TEXT_LOAD "载入"
#define TEXT_CLEAR_ALL "全部清除"
#define TEXT_VERIFY_MENU_ITEM "复制后校验"  /* the system menu's check item */

/* Speed */
#define TEXT_SPEED_FORMAT "%d 字符/秒"

/* Folder browser */
#define TEXT_PICK_SOURCE "请选择来源目录:           "   /* 11 blanks */
#define TEXT_PICK_DEST "请选择目标目录:              "   /* 14 blanks */
#define TEXT_BROWSER_CAPTION "选择目录        "         /* 8 blanks */

/* Worker */
#define TEXT_SCANNING "扫描文件          "                                    /* 10 blanks */
#define TEXT_NO_COPY_BUFFER "无法分配 2500000 字节给拷贝缓冲区            " /* 12 blanks */
#define TEXT_NO_FILE_LIST "无法分配内存给文件列表"
#define TEXT_MEMORY_CAPTION "内存分配失败     "                               /* 5 blanks */
#define TEXT_FILE_ACCESS_CAPTION "文件存取   "                                /* 3 blanks */
#define TEXT_READ_ERROR "打开 (%s) 读取错误.         "                        /* 9 blanks */
#define TEXT_WRITE_ERROR "打开 (%s) 写入错误.          "                      /* 10 blanks */
#define TEXT_VERIFY_FAILED "复制后校验失败, 未复制: %s"
#define TEXT_KEPT_DIFFERS "已存在, 内容与来源不同: %s"
#define TEXT_DELETE_ERROR "错误删除 (%s) %d      "                            /* 6 blanks */
#define TEXT_ALL_DONE "恭喜!!! 全部完成!!!"
#define TEXT_JOB_STOPPED "复制已停止"
#define TEXT_JOB_SUMMARY "完成: 已复制 %d 个文件, 跳过 %d 个, 出错 %d 个"

/* Status lines */
#define TEXT_ESTIMATE "估计完成时间: %s              "                        /* 14 blanks */
#define TEXT_SPEED_LINE "时间: %s | 速度 : %.02f kb/秒 | 剩余: %d "           /* 1 blank */
#define TEXT_PAUSED_LINE "时间: %s | 当前速度 : %.02f kb/秒 | 剩余文件: %d       " /* 7 blanks */
#define TEXT_MINUTES_SECONDS "%d分钟 %02d秒"
#define TEXT_HOURS_MINUTES_SECONDS "%d小时 %02d分钟 %02d秒"

/* Dialog-side refusals */
#define TEXT_SOURCE_TOO_LONG "来源目录路径超过 255 个字符, 未添加: %s"
#define TEXT_SOURCE_LIST_FULL "来源目录已达 512 个, 未添加: %s"
#define TEXT_NO_WORKER "无法启动拷贝线程"
#define TEXT_ERROR_CAPTION "错误"

/* Settings files */
#define TEXT_SETTINGS_SECTION "Ferrix"
#define TEXT_LOAD_TITLE "载入设置"
#define TEXT_SAVE_TITLE "保存设置"
#define TEXT_SETTINGS_FILTER_NAME "Ferrix 设置"
#define TEXT_ALL_FILES_FILTER_NAME "所有文件 " /* 1 blank */
#define TEXT_SAVE_FAILED "无法写入设置文件: %s"
#define TEXT_JOB_FILE_UNREADABLE "无法读取设置文件: %s"
#define TEXT_SETTINGS_PATTERN "*.frx"
#define TEXT_ALL_FILES_PATTERN "*.*"
#define TEXT_SETTINGS_EXTENSION "FRX"
#define TEXT_DEST_TOO_LONG "目标目录路径超过 259 个字符, 未载入: %s"
#define TEXT_SOURCE_NOT_FULL_PATH "来源目录不是完整路径, 未添加: %s"
#define TEXT_DEST_NOT_FULL_PATH "目标目录不是完整路径, 未载入: %s"

/* Command line */
#define TEXT_USAGE "用法: ferrix.exe [任务文件] [/start] [/verify] [/log 日志文件]"
#define TEXT_BAD_ARGUMENT "无效参数: %s"
#define TEXT_BAD_ARGUMENT_BOX TEXT_BAD_ARGUMENT "\n\n" TEXT_USAGE
#define TEXT_LOG_UNOPENABLE "无法打开日志文件: %s"
#define TEXT_NO_SOURCES "任务没有来源目录"
#define TEXT_NO_DEST "任务没有目标目录"

/* Job log: one line each, after the date and time */
#define TEXT_LOG_START "开始: %s | 来源: %d 个 | 目标: %s"
#define TEXT_LOG_VERIFY_ON " | 校验: 开" /* appended to the start line */
#define TEXT_UNSAVED_JOB "(未保存的任务)"
#define TEXT_LOG_END "结束: %s | 用时: %s"
#define TEXT_LOG_NOT_STARTED "未能开始: %s"
#define TEXT_LOG_ENTRY "%s: %s"
#define TEXT_LOG_KEPT_EXISTING "已存在, 未覆盖"
#define TEXT_LOG_TWIN_OF_COPIED "名称与已复制的文件相同, 未复制"
#define TEXT_LOG_READ_ERROR "读取错误"
#define TEXT_LOG_WRITE_ERROR "写入错误"
#define TEXT_LOG_NOT_DELETED "临时文件未能删除"
#define TEXT_LOG_FOLDER_NOT_LISTED "无法列出目录"
#define TEXT_LOG_NAME_REFUSED "名称无法使用"
#define TEXT_LOG_PATH_TOO_LONG "路径超过 255 个字符"
#define TEXT_LOG_NO_MEMORY_FOR_LIST "内存不足, 无法建立文件列表"
#define TEXT_LOG_NO_MEMORY_FOR_BUFFER "内存不足, 无法分配拷贝缓冲区"
#define TEXT_LOG_SOURCE_CHANGED "复制期间来源文件已改变"
#define TEXT_LOG_VERIFY_FAILED "校验失败"
#define TEXT_LOG_KEPT_DIFFERS "已存在, 内容不同"
#define TEXT_LOG_READ_BACK_CACHED "系统不允许绕过缓存读回, 校验读取的是缓存中的内容"
#define TEXT_LOG_LEFTOVER_KEPT "无法证实为崩溃留下的临时文件, 未删除"
#define TEXT_LOG_NO_CRASH_RECORDS "状态目录无法保存记录, 崩溃留下的 ~f+ 临时文件不会被清除"
