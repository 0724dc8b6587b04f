# What the program says about itself, once: the Windows version resource, the
# desktop entry, the AppStream metainfo and the Debian package are all generated
# from these values. The version is the top-level project's.
#
# UTF-8 throughout; the generators convert where a format asks for more.

set(YUVOVIP_PRODUCT_NAME "YUVOvip账号获取器")
set(YUVOVIP_PRODUCT_DESCRIPTION "这个是我自己的会员账号哦！为了大家的方便，请不要修改密码！")
set(YUVOVIP_PRODUCT_VERSION "${PROJECT_VERSION}")

# The maker.
set(YUVOVIP_COMPANY_NAME "YUVOvip 工作室")
set(YUVOVIP_LEGAL_COPYRIGHT "© 2026 ${YUVOVIP_COMPANY_NAME}")
set(YUVOVIP_COMMENTS "${YUVOVIP_COMPANY_NAME}")
set(YUVOVIP_HOMEPAGE "https://www.yuvovip.example/")
set(YUVOVIP_CONTACT "${YUVOVIP_COMPANY_NAME} <packages@yuvovip.example>")

# The desktop's names for the program: the reverse-DNS id names the desktop
# entry, the metainfo and the icons; the command is the installed program.
set(YUVOVIP_APP_ID "example.yuvovip.AccountGetter")
set(YUVOVIP_COMMAND yuvovip)
set(YUVOVIP_CATEGORIES "Utility;")
set(YUVOVIP_SCREENSHOT_URL "${YUVOVIP_HOMEPAGE}screenshot.png")
set(YUVOVIP_RELEASE_DATE "2026-12-11")

# The Windows version resource speaks Simplified Chinese (PRC, 0x0804) in UTF-16
# (code page 1200, 0x04B0).
set(YUVOVIP_WINDOWS_LANGUAGE 0804)
set(YUVOVIP_WINDOWS_CODEPAGE 04B0)
