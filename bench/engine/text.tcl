# text: building texts and comparing them byte by byte.
proc main {} {
    set n 0
    for {set i 0} {$i < 300000} {set i [expr {$i + 1}]} {
        set w "Wort${i}x"
        set n [expr {$n + ([string compare $w "Wort5"] < 0)}]
    }
    puts $n
}
main
