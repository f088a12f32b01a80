#!/usr/bin/env python3
"""Compose a mock desktop from a skin folder and write it as a PNG.

    preview.py <skin-folder> <out.png>

Shows the program's main window (active) with its controls where the main window puts them,
an inactive message box, and a gallery window with a menu bar, every kind of skinned control
and their state frames, all drawn with the fitting rules the engine uses. Captions need
ImageMagick and a CJK font; without them the preview is drawn without text.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from bmpio import png_bytes                         # noqa: E402
from raster import Image, mix                        # noqa: E402
from skinini import SkinFolder                       # noqa: E402
from preview_window import WindowSpec, compose       # noqa: E402
from preview_controls import Painter                 # noqa: E402
import skindraw as sd                                # noqa: E402
import textrender as tr                              # noqa: E402

DESK_TOP, DESK_BOTTOM = (44, 58, 74), (86, 104, 124)


def desktop(w, h):
    img = Image(w, h)
    for y in range(h):
        c = mix(DESK_TOP, DESK_BOTTOM, y / float(h - 1))
        c = (int(c[0] + 0.5), int(c[1] + 0.5), int(c[2] + 0.5))
        img.px[y * w:(y + 1) * w] = [c] * w
    return img


def place(desk, window, x, y):
    img, keep = window
    for j in range(img.h):
        for i in range(img.w):
            if keep[j * img.w + i]:
                desk.px[(y + j) * desk.w + x + i] = img.px[j * img.w + i]


def ad_panel(p, img, rect, text):
    sd.fill(img, rect, (250, 251, 252))
    sd.frame_rect_line(img, rect, (214, 220, 226))
    tr.draw_centred(img, rect, text, (150, 160, 170))


def main_window_client(p):
    """The main window's controls at their places (Panel1 starts 8 pixels down)."""
    def paint(img):
        oy = 8
        for x, y, text in ((7, 21, "出口路由器地址："), (242, 20, "TELNET密码："), (4, 54, "TELNET超级密码："),
                           (261, 53, "设备类型："), (12, 88, "连接数不得大于"), (186, 88, "个连接")):
            p.label(img, x, y + oy - 2, text)
        for x, y, w, text in ((115, 16, 121, "172.31.1.253"), (328, 16, 123, "************"),
                              (115, 48, 121, "&&&&&&&&&&&&"), (115, 83, 65, "100"), (242, 83, 99, "192.168.0.10")):
            p.edit(img, (x, y + oy, x + w, y + oy + 21), text)
        p.check(img, 329, 52 + oy, 17, "Cisco", 1, radio=True)
        p.check(img, 392, 51 + oy, 17, "华为", 5, radio=True)
        p.button(img, (352, 80 + oy, 452, 105 + oy), "指定要断开的IP")
        for i, text in enumerate(("连接设备", "检查连接数", "断开通信", "恢复通信", "保存信息", "断开设备")):
            x = 8 + 74 * i
            p.button(img, (x, 120 + oy, x + 75, 145 + oy), text, 4 if i == 0 else 1, focused=(i == 0))
        p.check(img, 8, 152 + oy, 17, "自动处理（每2分钟自动检查，每10分钟恢复一次通信）", 1)
        p.label(img, 8, 176 + oy - 2, "技术支持：网络管理部", (90, 102, 114))
        for rect, text in (((0, 232, 180, 292), "广告 180×60"), ((183, 232, 363, 252), "广告 180×20"),
                           ((183, 255, 363, 275), "广告 180×20"), ((183, 279, 363, 299), "广告 180×20"),
                           ((371, 208, 461, 298), "广告 90×90"), ((471, 0, 651, 300), "广告 180×300")):
            ad_panel(p, img, rect, text)
    return paint


def message_box_client(p):
    def paint(img):
        tr.draw(img, 24, 26, "恢复通信成功！", p.c["WindowText"])
        p.button(img, (img.w - 94, img.h - 38, img.w - 19, img.h - 13), "确定", 4, focused=True)
    return paint


def gallery_client(p):
    def paint(img):
        c = p.c
        head = (74, 88, 102)
        tr.draw(img, 16, 10, "按钮状态", head)
        for i, (frame, text) in enumerate(((1, "正常"), (2, "按下"), (3, "禁用"), (4, "悬停 / 焦点"), (5, "默认按钮"))):
            p.button(img, (16 + 96 * i, 30, 104 + 96 * i, 55), text, frame)
        tr.draw(img, 16, 68, "复选框与单选按钮", head)
        for i, (state, text) in enumerate(((1, "未选中"), (5, "已选中"), (9, "部分选中"), (8, "禁用"))):
            p.check(img, 16 + 96 * i, 88, 17, text, state)
        for i, (state, text) in enumerate(((5, "选项一"), (1, "选项二"), (2, "悬停"), (8, "禁用"))):
            p.check(img, 16 + 96 * i, 112, 17, text, state, radio=True)
        btn = p.o["Buttons"]
        for i in range(btn.extra["check_frames"]):
            p.check(img, 16 + 20 * i, 136, 17, "", i + 1)
        for i in range(btn.extra["radio_frames"]):
            p.check(img, 272 + 20 * i, 136, 17, "", i + 1, radio=True)
        tr.draw(img, 16, 166, "编辑框与组合框", head)
        p.edit(img, (16, 186, 136, 207), "10.0.0.1")
        for i, frame in enumerate((1, 4, 2, 3)):
            p.combo_box(img, (148 + 104 * i, 186, 244 + 104 * i, 207), ("华为", "Cisco", "华为", "禁用")[i], frame)
        p.up_down_edit(img, (16, 218, 100, 239), "100")
        p.up_down_edit(img, (112, 218, 196, 239), "30", pressed_down=True)
        tr.draw(img, 16, 252, "进度与滑块", head)
        p.progress(img, (16, 272, 260, 288), 0.62)
        p.track_bar(img, (280, 268, 480, 300), 0.4)
        # Right column: tabs with a list, scroll bars, header, popup menu.
        p.tabs(img, (600, 10, 1100, 300), ("连接", "阻断记录", "设置"), 1, 250)
        sd.fill(img, (612, 42, 1071, 262), (255, 255, 255))
        sd.frame_rect_line(img, (611, 41, 1089, 281), c["ButtonShadow"])
        p.header(img, (612, 42, 1071, 62), (("内部地址", 140), ("连接数", 90), ("状态", 120)), hot=1)
        rows = (("192.168.0.23", "412", "已阻断"), ("192.168.0.57", "268", "已阻断"), ("192.168.0.101", "131", "待处理"),
                ("192.168.0.88", "97", "正常"), ("192.168.0.12", "64", "正常"), ("192.168.0.45", "23", "正常"))
        for r, row in enumerate(rows):
            y = 66 + 22 * r
            if r == 2:
                sd.fill(img, (612, y - 2, 1071, y + 18), (220, 232, 246))
            for col, (text, x) in enumerate(zip(row, (618, 758, 848))):
                tr.draw(img, x, y, text, c["WindowText"])
        p.scroll_bar(img, (1071, 42, 1088, 263), True, 40, 60)
        p.scroll_bar(img, (612, 263, 1071, 280), False, 120, 90, pressed=1)
        sd.fill(img, (1071, 263, 1088, 280), c["ButtonFace"])
        p.status_bar(img, (0, img.h - 24, img.w, img.h), (("就绪", 240), ("已连接 172.31.1.253", 260), ("会话 1,284", 200)))
        p.popup_menu(img, 930, 150, 170, (("复制地址", "normal"), ("阻断此主机", "selected"), ("", "sep"),
                                          ("恢复通信", "disabled"), ("属性…", "normal")))
    return paint


def render(skin_dir):
    skin = SkinFolder(skin_dir)
    p = Painter(skin)
    icon = skin.bitmaps.get("btnicon.bmp")
    desk = desktop(1180, 830)
    main = compose(skin, WindowSpec("Quellox", 661, 306), main_window_client(p), icon)
    place(desk, main, 24, 24)
    box = compose(skin, WindowSpec("Quellox", 250, 110, active=False, min_box=False, dialog=True),
                  message_box_client(p), icon)
    place(desk, box, 730, 40)
    small = compose(skin, WindowSpec("Quellox — 多文档窗口", 380, 120, max_box=True, maximised=True, mdi=True,
                                     menu=["文件(F)", "视图(V)", "帮助(H)"], states={"BUTTON0": 3}),
                    None, icon)
    place(desk, small, 730, 200)
    gallery = compose(skin, WindowSpec("Quellox 皮肤预览", 1120, 370, max_box=True, states={"BUTTON1": 3},
                                       menu=["文件(F)", "编辑(E)", "视图(V)", "帮助(H)"]),
                      gallery_client(p), icon)
    place(desk, gallery, 24, 394)
    return desk


def main(argv=None):
    argv = sys.argv[1:] if argv is None else argv
    if len(argv) != 2:
        print("usage: preview.py <skin-folder> <out.png>", file=sys.stderr)
        return 2
    img = render(argv[0])
    with open(argv[1], "wb") as f:
        f.write(png_bytes(img))
    print("preview: wrote %dx%d %s" % (img.w, img.h, argv[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
